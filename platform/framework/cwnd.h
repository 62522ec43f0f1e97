// CWnd: the framework's handle on one window or control. The program's code
// never sees the widget toolkit; it calls these methods.
#pragma once

#include <string>

#include "platform/framework/message_map.h"
#include "platform/wintypes.h"

// The backend's window behind a CWnd: an opaque handle that only the backend
// looks into.
struct NativeWindow;

class CWnd : public CCmdTarget {
  public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    ~CWnd() override = default;

    // True while the wrapper is bound to a live window.
    bool IsBound() const { return window_ != nullptr; }

    // Returns nonzero when the window was disabled before the call.
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    // Texts are Windows-1252 bytes or UTF-8; they are shown as UTF-8.
    void SetWindowText(const char* text);
    // The window's text as UTF-8.
    std::string GetWindowText() const;
    // Shows `text` (Windows-1252 bytes or UTF-8) when the pointer rests on
    // the control; after the whole caption where that is shown shortened.
    // An empty text removes it.
    void SetToolTip(const char* text);
    void SetFocus();
    bool HasFocus() const;
    int GetDlgCtrlID() const;
    BOOL IsIconic() const;
    void GetClientRect(RECT* rect) const;

    // The backend's window, for the backend and its tests.
    NativeWindow* GetNativeWindow() const { return window_; }
    void Attach(NativeWindow* window) { window_ = window; }
    void Detach() { window_ = nullptr; }

  protected:
    NativeWindow* window_ = nullptr;
};

#ifndef _WIN32
// GetSystemMetrics for the metrics the program asks for (icon size); Windows
// has its own.
int GetSystemMetrics(int index);
#endif
