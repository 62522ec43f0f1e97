// The toolkit-free steps of CDialog: commands, the open, OK and Cancel steps
// and the exchange. The backend builds the window and runs the modal loop.
#include "platform/framework/cdialog.h"

#include "platform/framework/backend.h"

BOOL CDialog::UpdateData(BOOL fromControls) {
    CDataExchange exchange(*this, fromControls != FALSE);
    return ExchangeData(exchange) ? TRUE : FALSE;
}

void CDialog::SetDlgItemText(int id, const char* text) {
    if (CWnd* item = GetDlgItem(id))
        item->SetWindowText(text);
}

void CDialog::Command(int id) {
    MessageArgs args{WM_COMMAND, BN_CLICKED, id};
    if (DispatchMessage(args))
        return;
    if (id == IDOK)
        OnConfirm();
    else if (id == IDCANCEL)
        OnCancel();
}

void CDialog::PressEscape() {
    RefuseOrCancel();
}

void CDialog::PressClose() {
    SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
}

bool CDialog::ExchangeData(CDataExchange&) {
    return true;
}

BOOL CDialog::OnOpen() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnConfirm() {
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::OnSysCommand(UINT command, LPARAM) {
    if ((command & 0xFFF0) == SC_CLOSE)
        RefuseOrCancel();
}

void CDialog::OnPaint() {
    CPaintDC dc(this);
}

void CDialog::OnDestroy() {}

std::vector<CDialog*>& kvn::OpenDialogs() {
    static std::vector<CDialog*> dialogs;
    return dialogs;
}

CDialog* CDialog::GetActiveDialog() {
    auto& dialogs = kvn::OpenDialogs();
    return dialogs.empty() ? nullptr : dialogs.back();
}

// Messages the message map leaves go to the framework's own handlers.
void CDialog::Dispatch(MessageArgs& args) {
    if (DispatchMessage(args))
        return;
    switch (args.message) {
    case WM_SYSCOMMAND:
        OnSysCommand(static_cast<UINT>(args.wParam), args.lParam);
        break;
    case WM_PAINT:
        OnPaint();
        break;
    case WM_DESTROY:
        OnDestroy();
        break;
    case WM_QUERYDRAGICON:
        args.result = reinterpret_cast<LRESULT>(GetIcon(TRUE));
        break;
    default:
        break;
    }
}

BEGIN_MESSAGE_MAP(CDialog, CCmdTarget)
END_MESSAGE_MAP()
