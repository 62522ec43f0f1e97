// The core's opaque handles as wx objects: a CWnd's window is a wxWindow, an
// HICON an icon. Profile-file text becomes a widget's text here as well.
#pragma once

#include <wx/icon.h>
#include <wx/string.h>
#include <wx/window.h>

#include "platform/framework/cwnd.h"
#include "platform/text/ansi_text.h"

struct IconHandle {
    wxIcon icon;
};

namespace kvn {

inline NativeWindow* ToNative(wxWindow* window) {
    return reinterpret_cast<NativeWindow*>(window);
}
inline wxWindow* ToWx(NativeWindow* window) {
    return reinterpret_cast<wxWindow*>(window);
}
// The window behind a wrapper, for the backend and the tests that look at it.
inline wxWindow* WxWindow(const CWnd& wrapper) {
    return ToWx(wrapper.GetNativeWindow());
}
inline wxWindow* WxWindow(const CWnd* wrapper) {
    return wrapper != nullptr ? WxWindow(*wrapper) : nullptr;
}

// Profile-file text (UTF-8, or the player's ANSI code page) as a widget's text.
inline wxString FromAnsi(const char* text) {
    return wxString::FromUTF8(AnsiToUtf8(text ? text : ""));
}

} // namespace kvn
