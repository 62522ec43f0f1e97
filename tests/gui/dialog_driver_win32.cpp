// The test driver on the win32 backend: the script runs from a call posted to
// the dialog's thread, waits pump the thread's messages through the dialog
// manager, and input goes through SendInput.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "platform/framework/cwinapp.h"
#include "platform/framework/message_box.h"
#include "tests/gui/dialog_driver.h"
#include "tests/gui/dialog_driver_win32.h"
#include "tests/gui/driver_support.h"

namespace kvn::test {

HWND Handle(const CWnd& wrapper) {
    return reinterpret_cast<HWND>(wrapper.GetNativeWindow());
}

void Send(INPUT input) {
    SendInput(1, &input, sizeof input);
}

void MouseTo(HWND window, POINT point) {
    ClientToScreen(window, &point);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>(point.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1));
    input.mi.dy = static_cast<LONG>(point.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    Send(input);
}

namespace {

void ClickAt(HWND window, POINT point) {
    ASSERT_NE(window, nullptr);
    MouseTo(window, point);
    Pump(30);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    Send(input);
    input.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    Send(input);
    Pump(40);
}

} // namespace

void PumpOnce() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        // Keys reach a dialog through its dialog manager, as in its own loop.
        HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
        wchar_t name[16] = {};
        if (root != nullptr && GetClassNameW(root, name, 16) > 0 &&
            std::wstring(name) == L"#32770" && IsDialogMessageW(root, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

INT_PTR RunDialog(CDialog& dialog, const std::function<void()>& script, int limitSeconds) {
    Watchdog watchdog(limitSeconds);
    // Runs in the dialog's own loop. That loop shows the window once the
    // queue is first empty, which this call keeps it from seeing: show it here.
    AfxPostToUiThread([&] {
        EXPECT_NE(Handle(dialog), nullptr) << "the dialog was not created";
        ShowWindow(Handle(dialog), SW_SHOWNORMAL);
        SetForegroundWindow(Handle(dialog));
        UpdateWindow(Handle(dialog));
        Pump(50);
        script();
        // Leave nothing open behind the test; an ended dialog is hidden.
        if (Handle(dialog) != nullptr && IsWindowVisible(Handle(dialog)))
            dialog.EndDialog(IDCANCEL);
    });
    return dialog.DoModal();
}

void Click(CWnd& control) {
    RECT r{};
    GetClientRect(Handle(control), &r);
    ClickAt(Handle(control), POINT{r.right / 2, r.bottom / 2});
}

void PressKey(int keyCode, int modifiers) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    if (modifiers != 0) {
        input.ki.wVk = static_cast<WORD>(modifiers);
        Send(input);
    }
    input.ki.wVk = static_cast<WORD>(keyCode);
    Send(input);
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    Send(input);
    if (modifiers != 0) {
        input.ki.wVk = static_cast<WORD>(modifiers);
        Send(input);
    }
    Pump(40);
}

void TypeText(const char* text) {
    for (const char* c = text; *c != '\0'; ++c) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wScan = static_cast<WORD>(static_cast<unsigned char>(*c));
        input.ki.dwFlags = KEYEVENTF_UNICODE;
        Send(input);
        input.ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
        Send(input);
    }
    Pump(60);
}

void ClickSpinArrow(CSpinButtonCtrl& spin, bool up) {
    RECT r{};
    GetClientRect(Handle(spin), &r);
    ClickAt(Handle(spin), POINT{r.right / 2, up ? r.bottom / 4 : r.bottom * 3 / 4});
}

void HoldSpinArrow(CSpinButtonCtrl& spin, bool up, int ms) {
    RECT r{};
    GetClientRect(Handle(spin), &r);
    MouseTo(Handle(spin), POINT{r.right / 2, up ? r.bottom / 4 : r.bottom * 3 / 4});
    Pump(30);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    Send(input);
    Pump(ms);
    input.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    Send(input);
    Pump(50);
}

bool IsShown(const CWnd& window) {
    return Handle(window) != nullptr && IsWindowVisible(Handle(window));
}

void PressCloseBox(CDialog& dialog) {
    SendMessageW(Handle(dialog), WM_SYSCOMMAND, SC_CLOSE, 0);
}

void PutOnClipboard(const char* text) {
    const std::wstring wide(text, text + std::char_traits<char>::length(text));
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
    ASSERT_NE(memory, nullptr);
    std::copy(wide.c_str(), wide.c_str() + wide.size() + 1,
              static_cast<wchar_t*>(GlobalLock(memory)));
    GlobalUnlock(memory);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

bool AllTextSelected(CEdit& edit) {
    DWORD from = 0;
    DWORD to = 0;
    SendMessageW(Handle(edit), EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                 reinterpret_cast<LPARAM>(&to));
    return from == 0 && static_cast<int>(to) == GetWindowTextLengthW(Handle(edit));
}

} // namespace kvn::test
