// The driver-tool button of CGraphicsDlg: the tool is started and awaited by
// the dialog's DriverToolLauncher while OK, Cancel and the tool button are
// disabled; its end enables them again.
#include "dialog/graphics_dlg.h"

#include "platform/framework/message_box.h"
#include "resources/message_texts.h"

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
    workerThread = toolLauncher
                       .Start(toolPath,
                              [this](const std::optional<kvn::MissingProton>& missing) {
                                  OnDriverToolFinished(missing);
                              })
                       .has_value();
    if (!workerThread)
        OnDriverToolFinished(std::nullopt); // no worker, nothing to wait for
}

void CGraphicsDlg::OnDriverToolFinished(const std::optional<kvn::MissingProton>& missing) {
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
    // Any other Wine would update the game's prefix to its own version: the
    // tool waits for the game's Proton, and the player learns why.
    if (missing)
        AfxMessageBox(ProtonMissingText(missing->prefix, missing->proton).c_str(),
                      MB_ICONEXCLAMATION);
}

void CGraphicsDlg::OnDestroyWindow() {
    // A worker still waiting is left to wait on its own; the tool runs on.
    toolLauncher.Abandon();
    CDialog::OnDestroy();
}
