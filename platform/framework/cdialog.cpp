// CDialog without a toolkit: its state, the modal sequence, commands, the
// open, OK and Cancel steps and the exchange. The backend's NativeDialog
// builds the window and runs the platform's modal loop.
#include "platform/framework/cdialog.h"

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "platform/framework/backend.h"
#include "platform/framework/cwinapp.h"
#include "platform/framework/resource_registry.h"

namespace {

// The dialogs whose modal loop runs, innermost last.
std::vector<CDialog*>& OpenDialogs() {
    static std::vector<CDialog*> dialogs;
    return dialogs;
}

} // namespace

struct CDialog::Impl {
    const kvn::DialogTemplate* tmpl = nullptr;
    // Texts given before the window was made, and the copy of the template
    // that holds them.
    std::map<int, std::string> textsToMake;
    std::vector<kvn::ControlTemplate> madeControls;
    kvn::DialogTemplate made{};
    std::unique_ptr<kvn::NativeDialog> native; // while DoModal runs
    std::vector<CWnd*> bound;                  // the members ExchangeData bound
    std::map<int, std::unique_ptr<CWnd>> itemWrappers;
    HICON bigIcon = nullptr;
    HICON smallIcon = nullptr;
};

CDialog::CDialog(UINT templateId, CWnd* parent)
    : templateId_(templateId), parent_(parent), impl_(std::make_unique<Impl>()) {}

CDialog::~CDialog() = default;

INT_PTR CDialog::DoModal() {
    const kvn::DialogTemplate* tmpl = kvn::FindDialogTemplate(static_cast<int>(templateId_));
    if (tmpl == nullptr)
        return -1;
    if (!impl_->textsToMake.empty()) {
        impl_->madeControls.assign(tmpl->controls.begin(), tmpl->controls.end());
        for (kvn::ControlTemplate& c : impl_->madeControls)
            if (const auto it = impl_->textsToMake.find(c.id); it != impl_->textsToMake.end())
                c.text = it->second.c_str();
        impl_->made = *tmpl;
        impl_->made.controls = impl_->madeControls;
        tmpl = &impl_->made;
    }
    impl_->tmpl = tmpl;
    impl_->native = kvn::CreateNativeDialog(*this);
    // The backend calls Opened() from the platform's point of opening.
    const INT_PTR result =
        impl_->native->RunModal(*tmpl, parent_ ? parent_->GetNativeWindow() : nullptr);

    auto& dialogs = OpenDialogs();
    dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), this), dialogs.end());
    for (CWnd* wrapper : impl_->bound)
        wrapper->Detach();
    impl_->bound.clear();
    impl_->itemWrappers.clear();
    window_ = nullptr;
    impl_->native.reset();
    return result;
}

BOOL kvn::NativeDialog::Opened(NativeWindow* window) {
    dialog_.window_ = window;
    OpenDialogs().push_back(&dialog_);
    const BOOL focusFirst = dialog_.OnOpen();
    // The open step may have relabelled controls: make room for the captions.
    FitToCaptions();
    BindGroupMnemonics();
    NameForScreenReaders();
    PlaceOnScreen();
    return focusFirst;
}

void kvn::NativeDialog::Destroying() {
    MessageArgs destroy{WM_DESTROY};
    dialog_.Dispatch(destroy);
}

void kvn::NativeDialog::Dispatch(MessageArgs& args) {
    dialog_.Dispatch(args);
}

void kvn::NativeDialog::Command(int id) {
    dialog_.Command(id);
}

void kvn::NativeDialog::RefuseOrCancel() {
    dialog_.RefuseOrCancel();
}

void kvn::NativeDialog::Help() {
    dialog_.Help();
}

void CDialog::EndDialog(int result) {
    if (impl_->native)
        impl_->native->EndModal(result);
}

kvn::NativeDialog* CDialog::Native() const {
    return impl_->native.get();
}

CWnd* CDialog::GetDlgItem(int id) {
    NativeWindow* item = impl_->native ? impl_->native->FindItem(id) : nullptr;
    if (item == nullptr)
        return nullptr;
    auto& wrapper = impl_->itemWrappers[id];
    if (!wrapper)
        wrapper = std::make_unique<CWnd>();
    wrapper->Attach(item);
    return wrapper.get();
}

bool CDialog::HasFocusedControl() const {
    if (!impl_->native)
        return false;
    for (const kvn::ControlTemplate& c : TemplateControls()) {
        CWnd control;
        control.Attach(impl_->native->FindItem(c.id));
        if (control.IsBound() && control.HasFocus())
            return true;
    }
    return false;
}

HICON CDialog::SetIcon(HICON icon, BOOL big) {
    HICON& slot = big ? impl_->bigIcon : impl_->smallIcon;
    HICON old = slot;
    slot = icon;
    if (impl_->native && window_ != nullptr)
        impl_->native->SetIcon(icon, big != FALSE);
    return old;
}

HICON CDialog::GetIcon(BOOL big) const {
    return big ? impl_->bigIcon : impl_->smallIcon;
}

// Without a window, a message goes to the framework's own handlers.
LRESULT CDialog::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETICON)
        return reinterpret_cast<LRESULT>(
            SetIcon(reinterpret_cast<HICON>(lParam), wParam == ICON_BIG ? TRUE : FALSE));
    if (impl_->native && window_ != nullptr)
        return impl_->native->SendMessage(message, wParam, lParam);
    MessageArgs args{message, 0, 0, wParam, lParam};
    Dispatch(args);
    return args.result;
}

LRESULT CDialog::SendDlgItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam) {
    NativeWindow* item = impl_->native ? impl_->native->FindItem(id) : nullptr;
    if (item == nullptr)
        return 0;
    CSpinButtonCtrl control;
    control.Attach(item);
    return control.SendMessage(message, wParam, lParam);
}

void CDialog::RememberBound(CWnd& wrapper) {
    impl_->bound.push_back(&wrapper);
}

std::span<const kvn::ControlTemplate> CDialog::TemplateControls() const {
    return impl_->tmpl ? impl_->tmpl->controls : std::span<const kvn::ControlTemplate>();
}

BOOL CDialog::UpdateData(BOOL fromControls) {
    CDataExchange exchange(*this, fromControls != FALSE);
    return ExchangeData(exchange) ? TRUE : FALSE;
}

void CDialog::SetDlgItemText(int id, const char* text) {
    if (window_ == nullptr)
        impl_->textsToMake[id] = text ? text : "";
    else if (CWnd* item = GetDlgItem(id))
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

void CDialog::RefuseOrCancel() {
    // While Cancel is disabled, Escape and the close box are refused.
    CWnd* cancel = GetDlgItem(IDCANCEL);
    if (cancel != nullptr && !cancel->IsWindowEnabled()) {
        impl_->native->Beep();
        return;
    }
    Command(IDCANCEL);
}

// Help the dialog's map leaves goes to the application, as help for this
// dialog.
void CDialog::Help() {
    MessageArgs help{WM_COMMAND, BN_CLICKED, static_cast<int>(ID_HELP)};
    CWinApp* app = AfxGetApp();
    if (DispatchMessage(help) || app == nullptr)
        return;
    app->m_dwHelpContext = CWinApp::kHelpContextBase + templateId_;
    app->DispatchMessage(help);
    app->m_dwHelpContext = CWinApp::kHelpContextBase;
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

CDialog* CDialog::GetActiveDialog() {
    auto& dialogs = OpenDialogs();
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
