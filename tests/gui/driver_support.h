// What both GUI test drivers share: bounded waiting that keeps the toolkit's
// events flowing, and a guard that ends the run with status 3 when a dialog
// has not finished in time, instead of hanging the suite.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

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

// Handles the events waiting in the toolkit's queue; each driver defines it,
// and WaitUntil and Pump (driver_support.cpp) call it.
void PumpOnce();

} // namespace kvn::test
