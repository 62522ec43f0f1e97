// The core's opaque handles as Windows handles: a CWnd's window is an HWND.
// Profile-file text becomes a control's UTF-16 text here as well.
#pragma once

#include <string>
#include <string_view>

#include "platform/framework/cwnd.h"

namespace kvn {

inline NativeWindow* ToNative(HWND window) {
    return reinterpret_cast<NativeWindow*>(window);
}
inline HWND ToHwnd(NativeWindow* window) {
    return reinterpret_cast<HWND>(window);
}
inline HWND Hwnd(const CWnd* wrapper) {
    return wrapper != nullptr ? ToHwnd(wrapper->GetNativeWindow()) : nullptr;
}

// A window of the platform's dialog class: a dialog or a message box.
inline bool IsDialog(HWND window) {
    wchar_t name[16] = {};
    return window != nullptr && GetClassNameW(window, name, 16) > 0 &&
           std::wstring_view(name) == L"#32770";
}

// Profile-file text (Windows code page or UTF-8) as UTF-16.
std::wstring WideFromAnsi(const char* text);
// UTF-16 as UTF-8.
std::string Utf8FromWide(const std::wstring& text);

} // namespace kvn
