// The driver-tool members of CGraphicsDlg.
#include "dialog/graphics_dlg.h"

void CGraphicsDlg::OnDriverToolClicked() {}

unsigned CGraphicsDlg::DriverToolThreadProc(CGraphicsDlg* dialog) {
    dialog->OnDriverToolFinished();
    return 0;
}

void CGraphicsDlg::OnDriverToolFinished() {
    workerThread.reset();
    okButton.EnableWindow(TRUE);
    cancelButton.EnableWindow(TRUE);
    toolButton.EnableWindow(TRUE);
}

void CGraphicsDlg::OnDestroyWindow() {
    CDialog::OnDestroy();
}
