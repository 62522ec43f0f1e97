// The driver-tool button of CGraphicsDlg: the tool is started and awaited by
// the dialog's DriverToolLauncher while OK, Cancel and the tool button are
// disabled; its end enables them again.
#include "dialog/graphics_dlg.h"

void CGraphicsDlg::OnDriverToolClicked() {
    // The disabled button takes no second click; a click sent as a message
    // must not start a second tool either.
    if (workerThread)
        return;
    toolButtonHadFocus = toolButton.HasFocus();

    okButton.EnableWindow(FALSE);
    cancelButton.EnableWindow(FALSE);
    toolButton.EnableWindow(FALSE);
    // The launcher reports the end on this thread, after this handler, so the
    // report never comes before workerThread is recorded.
    workerThread = toolLauncher.Start(toolPath, [this] { OnDriverToolFinished(); }).has_value();
    if (!workerThread)
        OnDriverToolFinished(); // no worker, nothing to wait for
}

void CGraphicsDlg::OnDriverToolFinished() {
    const bool giveFocusBack = toolButtonHadFocus;
    workerThread = false;
    toolButtonHadFocus = false;
    okButton.EnableWindow(TRUE);
    cancelButton.EnableWindow(TRUE);
    toolButton.EnableWindow(TRUE);
    // Disabling the focused button left the keyboard with no control; unless
    // the player has chosen another one meanwhile, it goes back to the button.
    if (giveFocusBack && !HasFocusedControl())
        toolButton.SetFocus();
}

void CGraphicsDlg::OnDestroyWindow() {
    // A worker still waiting is left to wait on its own; the tool runs on.
    toolLauncher.Abandon();
    CDialog::OnDestroy();
}
