// The test driver on the win32 backend: the script runs from a call posted to
// the dialog's thread, waits pump the thread's messages through the dialog
// manager, and input goes through SendInput.
#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "platform/framework/cwinapp.h"
#include "platform/framework/win32/handles.h"
#include "tests/gui/dialog_driver.h"
#include "tests/gui/driver_support.h"

namespace kvn::test {

namespace {

void Send(INPUT input) {
    SendInput(1, &input, sizeof input);
}

} // namespace

void PumpOnce() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        // Keys reach a dialog through its dialog manager, as in its own loop.
        HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
        if (kvn::IsDialog(root) && IsDialogMessageW(root, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

INT_PTR ShowAndRun(CDialog& dialog, const std::function<void()>& call) {
    // Runs in the dialog's own loop. That loop shows the window once the
    // queue is first empty, which this call keeps it from seeing: show it here.
    AfxPostToUiThread([&] {
        HWND window = kvn::Hwnd(&dialog);
        EXPECT_NE(window, nullptr) << "the dialog was not created";
        ShowWindow(window, SW_SHOWNORMAL);
        SetForegroundWindow(window);
        UpdateWindow(window);
        call();
    });
    return dialog.DoModal();
}

void MovePointer(const CWnd& window, int x, int y) {
    POINT point{x, y};
    ClientToScreen(kvn::Hwnd(&window), &point);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>(point.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1));
    input.mi.dy = static_cast<LONG>(point.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    Send(input);
}

void PressMouseButton(bool down) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    Send(input);
}

void SendKey(int keyCode, int modifiers) {
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

bool IsShown(const CWnd& window) {
    HWND hwnd = kvn::Hwnd(&window);
    return hwnd != nullptr && IsWindowVisible(hwnd);
}

void PressCloseBox(CDialog& dialog) {
    SendMessageW(kvn::Hwnd(&dialog), WM_SYSCOMMAND, SC_CLOSE, 0);
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
    HWND hwnd = kvn::Hwnd(&edit);
    DWORD from = 0;
    DWORD to = 0;
    SendMessageW(hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    return from == 0 && static_cast<int>(to) == GetWindowTextLengthW(hwnd);
}

} // namespace kvn::test
