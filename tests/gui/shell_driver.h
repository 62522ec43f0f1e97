// What the shell and driver-tool tests need from the driver beyond input:
// calls on the dialog's thread while a nested modal loop runs, notifications
// sent directly, window details, and the platform's message box.
// Implemented in shell_driver.cpp (wx) and shell_driver_win32.cpp.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "tests/gui/dialog_driver.h"

namespace kvn::test {

#ifdef _WIN32
inline constexpr int kKeyF1 = VK_F1;
#else
inline constexpr int kKeyF1 = WXK_F1;
#endif

// Runs `tick` every `ms` milliseconds on the dialog's thread while it lives,
// also inside nested modal loops (another dialog, a message box). A tick does
// not start while the previous one still runs.
class RepeatingTimer {
  public:
    RepeatingTimer(int ms, std::function<void()> tick);
    ~RepeatingTimer();
    RepeatingTimer(const RepeatingTimer&) = delete;
    RepeatingTimer& operator=(const RepeatingTimer&) = delete;

    struct Impl;

  private:
    std::unique_ptr<Impl> impl_;
};

// The button's click notification, handled before this returns.
void SendClick(CButton& button);
// Two quick clicks with real input at the control's centre.
void DoubleClick(CWnd& control);
// Invalidates the whole window; true once it has painted again.
bool RepaintsAfterInvalidate(CWnd& window);
// The width of the window's large icon in pixels; 0 without one.
int IconWidth(CDialog& dialog);
// The width the platform gives large icons at its DPI (32 at 96 DPI).
int SystemIconWidth();

// Watches the platform's message boxes opened while it lives, over the
// active dialog.
class MessageBoxWatcher {
  public:
    MessageBoxWatcher();
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    int Opened() const;
    int Closed() const;
    // A box is on screen.
    bool IsOpen() const;
    // The title of the last box opened, as UTF-8.
    std::string Title() const;

    // How the open box looks.
    struct Look {
        bool warningIcon = false; // the exclamation icon beside the text
        bool okFocused = false;
        bool okDefault = false;
        bool okNarrow = false; // OK narrower than half the box
    };
    Look LookAtBox() const;
    // A key pressed with real input while the box is open.
    void PressKey(int keyCode);

    struct Impl;

  private:
    std::unique_ptr<Impl> impl_;
};

} // namespace kvn::test
