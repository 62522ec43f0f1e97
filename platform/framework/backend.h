// What a backend implements. The core owns each dialog and runs its modal
// sequence (cdialog.cpp); a backend gives it a NativeDialog, the platform's
// window of one run. Besides these, a backend defines the members of CWnd
// and the control wrappers (text, check and enable state, focus: cwnd.h,
// controls.h), CWinApp::LoadIcon, AfxPostToUiThread and the toolkit's session
// (app_runner.h). The core calls these; the program never does.
#pragma once

#include <memory>
#include <string>

#include "platform/framework/cdialog.h"

// Shows `text` titled `title` with an OK button and the icon that `type`
// names (MB_ICON*), over the active dialog; returns IDOK once dismissed.
int ShowMessageBox(const std::string& text, const std::string& title, UINT type);

namespace kvn {

// The platform's window of one modal run of a CDialog.
class NativeDialog {
  public:
    explicit NativeDialog(CDialog& dialog) : dialog_(dialog) {}
    virtual ~NativeDialog() = default;
    NativeDialog(const NativeDialog&) = delete;
    NativeDialog& operator=(const NativeDialog&) = delete;

    // Builds the window and its controls from `tmpl`, owned by `parent`, and
    // runs the modal loop. Once the controls exist and before the window is
    // shown, it calls Opened() and gives the focus to the first tab-stop
    // control when that returns TRUE. Returns the loop's result after
    // calling Destroying(); the window may live on until this object goes.
    virtual INT_PTR RunModal(const DialogTemplate& tmpl, NativeWindow* parent) = 0;
    // Ends the modal loop with `result`.
    virtual void EndModal(int result) = 0;
    // The dialog's control `id`, or nullptr.
    virtual NativeWindow* FindItem(int id) const = 0;
    // Shows `icon` as the window's large or small icon.
    virtual void SetIcon(HICON icon, bool big) = 0;
    // Sends a message to the window, the platform's way.
    virtual LRESULT SendMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // The platform's sound for a refused key.
    virtual void Beep() = 0;
    // Gives the focus to the control nearest before `item` in z-order that
    // can take it, as for a disabled control.
    virtual void HandOnFocus(NativeWindow* item) = 0;

    // The steps after the open step, in this order; the captions are final.
    // Widens the layout to the captions and shows the pictures at their size.
    virtual void FitToCaptions() = 0;
    // Makes a group box's mnemonic reach the group.
    virtual void BindGroupMnemonics() = 0;
    // Names the controls screen readers would find no name for.
    virtual void NameForScreenReaders() = 0;
    // Puts the window where it opens, inside the work area.
    virtual void PlaceOnScreen() = 0;

    // The dialog's side, called by the backend from the platform's events.
    // The window and its controls exist: registers the window and runs the
    // open step and the steps after it. TRUE: focus the first tab stop.
    BOOL Opened(NativeWindow* window);
    // The window is going: WM_DESTROY for the dialog's handlers.
    void Destroying();
    // A message for the dialog's map, then the framework's own handlers.
    void Dispatch(MessageArgs& args);
    // A button's click: the map, else OK or Cancel.
    void Command(int id);
    // Escape and the close box: Cancel, or a beep while Cancel is disabled.
    void RefuseOrCancel();
    // F1: the help command of the dialog's map, else the application's.
    void Help();
    CDialog& Dialog() const { return dialog_; }

  private:
    CDialog& dialog_;
};

// The backend's NativeDialog for `dialog`.
std::unique_ptr<NativeDialog> CreateNativeDialog(CDialog& dialog);

} // namespace kvn
