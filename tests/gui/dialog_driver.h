// Drives a modal dialog from inside its own loop: a script runs once the
// window is shown, waits with bounded pumps, and sends real X input.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <wx/window.h>

#include "dialog/graphics_dlg.h"

namespace kvn::test {

// Runs the dialog modally; `script` runs once the window has been painted.
// A dialog the script leaves open is cancelled afterwards. A watchdog ends
// the process if the whole run takes longer than `limitSeconds`.
INT_PTR RunDialog(CDialog& dialog, const std::function<void()>& script, int limitSeconds = 20);

// Handles events until `done` holds; false after `timeoutMs`.
bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 3000);
// Handles events for `ms` milliseconds.
void Pump(int ms);

// Real input through the X server.
void ClickAt(wxWindow* window, wxPoint offset);
void Click(wxWindow* window); // at its centre
void Click(CWnd& control);
void PressKey(int keyCode, int modifiers = 0);
void TypeText(const char* text);

// The up-down control's arrows.
void ClickSpinArrow(CSpinButtonCtrl& spin, bool up);

// Message boxes shown while the recorder lives, answered with OK.
class MessageRecorder {
  public:
    MessageRecorder();
    ~MessageRecorder();
    const std::vector<std::string>& texts() const { return texts_; }
    std::vector<UINT> types;

  private:
    std::vector<std::string> texts_;
};

// The edit's whole text is selected.
bool AllTextSelected(CEdit& edit);

} // namespace kvn::test
