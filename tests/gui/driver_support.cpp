// The driver's steps written once over each driver's primitives.
#include "tests/gui/driver_support.h"

#include <gtest/gtest.h>

#include "tests/gui/dialog_driver.h"
#include "tests/gui/shell_driver.h"

namespace kvn::test {

namespace {

struct Point {
    int x, y;
};

void ClickAt(const CWnd& window, Point at) {
    ASSERT_TRUE(window.IsBound());
    MovePointer(window, at.x, at.y);
    Pump(30);
    PressMouseButton(true);
    PressMouseButton(false);
    Pump(40);
}

Point Centre(const CWnd& window) {
    RECT r{};
    window.GetClientRect(&r);
    return {r.right / 2, r.bottom / 2};
}

// A point on the up-down control's upper or lower arrow.
Point SpinArrowPoint(const CSpinButtonCtrl& spin, bool up) {
    RECT r{};
    spin.GetClientRect(&r);
    return {r.right / 2, up ? r.bottom / 4 : r.bottom * 3 / 4};
}

} // namespace

bool WaitUntil(const std::function<bool()>& done, int timeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        PumpOnce();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

void Pump(int ms) {
    WaitUntil([] { return false; }, ms);
}

INT_PTR RunDialog(CDialog& dialog, const std::function<void()>& script, int limitSeconds) {
    Watchdog watchdog(limitSeconds);
    return ShowAndRun(dialog, [&] {
        Pump(50);
        script();
        // Leave nothing open behind the test; an ended dialog is hidden.
        if (IsShown(dialog))
            dialog.EndDialog(IDCANCEL);
    });
}

void Click(CWnd& control) {
    ClickAt(control, Centre(control));
}

void DoubleClick(CWnd& control) {
    ASSERT_TRUE(control.IsBound());
    const Point centre = Centre(control);
    MovePointer(control, centre.x, centre.y);
    Pump(30);
    for (int i = 0; i < 2; ++i) {
        PressMouseButton(true);
        PressMouseButton(false);
    }
    Pump(40);
}

void PressKey(int keyCode, int modifiers) {
    SendKey(keyCode, modifiers);
    Pump(40);
}

void ClickSpinArrow(CSpinButtonCtrl& spin, bool up) {
    ClickAt(spin, SpinArrowPoint(spin, up));
}

void HoldSpinArrow(CSpinButtonCtrl& spin, bool up, int ms) {
    ASSERT_TRUE(spin.IsBound());
    const Point arrow = SpinArrowPoint(spin, up);
    MovePointer(spin, arrow.x, arrow.y);
    Pump(30);
    PressMouseButton(true);
    Pump(ms);
    PressMouseButton(false);
    Pump(50);
}

} // namespace kvn::test
