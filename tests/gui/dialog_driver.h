// Drives a modal dialog from inside its own loop: a script runs once the
// window is shown, waits with bounded pumps, and sends real input (through
// the X server with wx, through SendInput with the win32 backend). The steps
// over input are written once (driver_support.cpp); each driver gives the
// primitives that driver_support.h names and the looks below.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#ifndef _WIN32
#include <wx/defs.h> // the key codes
#endif

#include "dialog/graphics_dlg.h"
#include "platform/framework/message_box.h"

namespace kvn::test {

// Runs the dialog modally; `script` runs once the window has been painted.
// A dialog the script leaves open is cancelled afterwards. A watchdog ends
// the process if the whole run takes longer than `limitSeconds`.
INT_PTR RunDialog(CDialog& dialog, const std::function<void()>& script, int limitSeconds = 20);

// Handles events until `done` holds; false after `timeoutMs`.
bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 3000);
// Handles events for `ms` milliseconds.
void Pump(int ms);

// Real input.
void Click(CWnd& control); // at its centre
// A key by the backend's key code (WXK_* with wx, VK_* on Windows).
void PressKey(int keyCode, int modifiers = 0);
#ifdef _WIN32
inline constexpr int kKeyEscape = VK_ESCAPE, kKeyReturn = VK_RETURN, kKeyDelete = VK_DELETE,
                     kKeyUp = VK_UP, kKeyDown = VK_DOWN, kModControl = VK_CONTROL;
inline constexpr int kKeySpace = VK_SPACE, kModAlt = VK_MENU;
// The key of a letter, 'a' to 'z'.
constexpr int LetterKey(char letter) {
    return letter - 'a' + 'A';
}
#else
inline constexpr int kKeyEscape = WXK_ESCAPE, kKeyReturn = WXK_RETURN, kKeyDelete = WXK_DELETE,
                     kKeyUp = WXK_UP, kKeyDown = WXK_DOWN, kModControl = wxMOD_CONTROL;
inline constexpr int kKeySpace = WXK_SPACE, kModAlt = wxMOD_ALT;
constexpr int LetterKey(char letter) {
    return letter;
}
#endif
// The window is shown on screen.
bool IsShown(const CWnd& window);
// What the title bar's close box asks for.
void PressCloseBox(CDialog& dialog);
// Puts `text` on the clipboard, for a paste.
void PutOnClipboard(const char* text);
void TypeText(const char* text);

// The up-down control's arrows.
void ClickSpinArrow(CSpinButtonCtrl& spin, bool up);
// Holds the mouse button down on an arrow for `ms` milliseconds.
void HoldSpinArrow(CSpinButtonCtrl& spin, bool up, int ms);

// Message boxes shown while the recorder lives, answered with OK.
class MessageRecorder {
  public:
    MessageRecorder() {
        AfxSetMessageBoxHook([this](const std::string& text, UINT type) {
            texts_.push_back(text);
            types.push_back(type);
            return IDOK;
        });
    }
    ~MessageRecorder() { AfxSetMessageBoxHook({}); }
    const std::vector<std::string>& texts() const { return texts_; }
    std::vector<UINT> types;

  private:
    std::vector<std::string> texts_;
};

// The edit's whole text is selected.
bool AllTextSelected(CEdit& edit);

} // namespace kvn::test
