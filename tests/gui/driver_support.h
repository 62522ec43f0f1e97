// What both GUI test drivers share: bounded waiting that keeps the toolkit's
// events flowing, a guard that ends the run with status 3 when a dialog has
// not finished in time instead of hanging the suite, and the few input
// primitives each driver implements (dialog_driver.cpp with wx,
// dialog_driver_win32.cpp), over which driver_support.cpp writes the rest.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <thread>

#include "platform/framework/cdialog.h"

namespace kvn::test {

class Watchdog {
  public:
    explicit Watchdog(int seconds)
        : thread_([this, seconds] {
              for (int i = 0; i < seconds * 10 && !stop_; ++i)
                  std::this_thread::sleep_for(std::chrono::milliseconds(100));
              if (!stop_) {
                  std::fprintf(stderr, "watchdog: the dialog did not finish within %d s\n",
                               seconds);
                  std::_Exit(3);
              }
          }) {}
    ~Watchdog() {
        stop_ = true;
        thread_.join();
    }

  private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// The primitives of a driver.
// Handles the events waiting in the toolkit's queue.
void PumpOnce();
// Runs the dialog modally; `call` runs inside its loop once the window is
// shown and painted.
INT_PTR ShowAndRun(CDialog& dialog, const std::function<void()>& call);
// Moves the pointer to (x, y) in the window's client area.
void MovePointer(const CWnd& window, int x, int y);
// A key pressed and released, with the modifier key held around it.
void SendKey(int keyCode, int modifiers);
// Presses or releases the left mouse button where the pointer is.
void PressMouseButton(bool down);

} // namespace kvn::test
