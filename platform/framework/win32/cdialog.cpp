// CDialog over the platform's dialog manager: the template becomes an
// in-memory dialog template run by DialogBoxIndirectParamW, and the dialog
// procedure turns window messages into the map's messages and the core's steps.
#include "platform/framework/cdialog.h"

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

#include "platform/framework/backend.h"
#include "platform/framework/cwinapp.h"
#include "platform/framework/resource_registry.h"
#include "platform/framework/win32/control_names.h"
#include "platform/framework/win32/dialog_layout.h"
#include "platform/framework/win32/handles.h"
#include "platform/framework/win32/icons.h"
#include "platform/framework/win32/pictures.h"
#include "platform/framework/win32/template_builder.h"

struct CDialog::Impl {
    const kvn::DialogTemplate* tmpl = nullptr;
    HWND window = nullptr;
    std::vector<CWnd*> bound;
    std::map<int, std::unique_ptr<CWnd>> itemWrappers;
    HICON bigIcon = nullptr;
    HICON smallIcon = nullptr;
};

namespace {

// WM_DPICHANGED, which the XP headers lack: the dialog moved to a monitor of
// another DPI.
constexpr UINT kDpiChanged = 0x02E0;
// A private message: "draw the pictures for the dialog's new size".
constexpr UINT kRedrawPictures = WM_APP + 2;

} // namespace

// The dialog procedure's door into CDialog's private steps.
class DialogWindow {
  public:
    static INT_PTR CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

INT_PTR CALLBACK DialogWindow::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<CDialog*>(lParam);
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        dialog->impl_->window = hwnd;
        dialog->window_ = kvn::ToNative(hwnd);
        kvn::OpenDialogs().push_back(dialog);
        const BOOL focusFirst = dialog->OnOpen();
        // The open step may have relabelled controls: make room for the captions.
        kvn::FitToCaptions(hwnd);
        kvn::ShowPictures(hwnd, dialog->TemplateControls());
        kvn::LabelEditsForScreenReaders(hwnd);
        // TRUE: the dialog manager gives the focus to the first tab stop.
        return focusFirst;
    }
    auto* dialog = reinterpret_cast<CDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (dialog == nullptr)
        return FALSE;
    switch (message) {
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (HIWORD(wParam) != BN_CLICKED)
            return FALSE;
        if (id == IDCANCEL) {
            // Escape and a click on Cancel alike: refused while Cancel is disabled.
            dialog->RefuseOrCancel();
            return TRUE;
        }
        // Enter sends the default button's id even when it is disabled.
        HWND item = GetDlgItem(hwnd, id);
        if (item != nullptr && !IsWindowEnabled(item)) {
            MessageBeep(MB_OK);
            return TRUE;
        }
        dialog->Command(id);
        return TRUE;
    }
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        MessageArgs args{WM_NOTIFY, header->code, static_cast<int>(header->idFrom), wParam, lParam};
        args.notification = header;
        if (!dialog->DispatchMessage(args))
            return FALSE;
        SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, args.result);
        return TRUE;
    }
    case WM_SYSCOMMAND: {
        MessageArgs args{WM_SYSCOMMAND, 0, 0, wParam, lParam};
        dialog->Dispatch(args);
        // Only the close command is the framework's; the rest (move,
        // minimise, restore) keep the platform's handling.
        return (wParam & 0xFFF0) == SC_CLOSE ? TRUE : FALSE;
    }
    case WM_PAINT: {
        MessageArgs args{WM_PAINT};
        dialog->Dispatch(args);
        return TRUE;
    }
    case WM_QUERYDRAGICON: {
        MessageArgs args{WM_QUERYDRAGICON, 0, 0, wParam, lParam};
        dialog->Dispatch(args);
        return static_cast<INT_PTR>(args.result);
    }
    case WM_HELP: {
        MessageArgs help{WM_COMMAND, BN_CLICKED, static_cast<int>(ID_HELP)};
        if (!dialog->DispatchMessage(help) && AfxGetApp() != nullptr)
            AfxGetApp()->DispatchMessage(help);
        return TRUE;
    }
    case WM_DESTROY: {
        MessageArgs args{WM_DESTROY};
        dialog->Dispatch(args);
        kvn::ReleasePictures(hwnd, dialog->TemplateControls());
        return FALSE;
    }
    case kDpiChanged:
        // The platform rescales the dialog and its controls itself; the
        // pictures are drawn anew once it has.
        PostMessageW(hwnd, kRedrawPictures, 0, 0);
        return FALSE;
    case kRedrawPictures:
        kvn::ShowPictures(hwnd, dialog->TemplateControls());
        return TRUE;
    default:
        return FALSE;
    }
}

CDialog::CDialog(UINT templateId, CWnd* parent)
    : templateId_(templateId), parent_(parent), impl_(std::make_unique<Impl>()) {}

CDialog::~CDialog() = default;

INT_PTR CDialog::DoModal() {
    const kvn::DialogTemplate* tmpl = kvn::FindDialogTemplate(static_cast<int>(templateId_));
    if (tmpl == nullptr)
        return -1;
    impl_->tmpl = tmpl;
    const std::vector<DWORD> bytes = kvn::BuildDialogTemplate(*tmpl);
    HWND owner = kvn::Hwnd(parent_);
    if (owner == nullptr && GetActiveDialog() != nullptr)
        owner = kvn::Hwnd(GetActiveDialog());
    const INT_PTR result = DialogBoxIndirectParamW(
        GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()), owner,
        &DialogWindow::Procedure, reinterpret_cast<LPARAM>(this));

    auto& dialogs = kvn::OpenDialogs();
    dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), this), dialogs.end());
    for (CWnd* wrapper : impl_->bound)
        wrapper->Detach();
    impl_->bound.clear();
    impl_->itemWrappers.clear();
    impl_->window = nullptr;
    window_ = nullptr;
    return result;
}

void CDialog::EndDialog(int result) {
    if (impl_->window != nullptr)
        ::EndDialog(impl_->window, result);
}

CWnd* CDialog::GetDlgItem(int id) {
    HWND item = impl_->window ? ::GetDlgItem(impl_->window, id) : nullptr;
    if (item == nullptr)
        return nullptr;
    auto& wrapper = impl_->itemWrappers[id];
    if (!wrapper)
        wrapper = std::make_unique<CWnd>();
    wrapper->Attach(kvn::ToNative(item));
    return wrapper.get();
}

bool CDialog::HasFocusedControl() const {
    HWND focus = ::GetFocus();
    return impl_->window != nullptr && focus != nullptr && ::IsChild(impl_->window, focus);
}

HICON CDialog::SetIcon(HICON icon, BOOL big) {
    HICON& slot = big ? impl_->bigIcon : impl_->smallIcon;
    HICON old = slot;
    slot = icon;
    // The title bar shows the small icon, drawn at its own size rather than
    // the large one shrunk.
    if (impl_->window != nullptr)
        SendMessageW(impl_->window, WM_SETICON, big ? ICON_BIG : ICON_SMALL,
                     reinterpret_cast<LPARAM>(big ? icon : kvn::SmallIconFor(icon)));
    return old;
}

LRESULT CDialog::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETICON)
        return reinterpret_cast<LRESULT>(
            SetIcon(reinterpret_cast<HICON>(lParam), wParam == ICON_BIG ? TRUE : FALSE));
    if (impl_->window != nullptr)
        return SendMessageW(impl_->window, message, wParam, lParam);
    MessageArgs args{message, 0, 0, wParam, lParam};
    Dispatch(args);
    return args.result;
}

LRESULT CDialog::SendDlgItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam) {
    return impl_->window ? SendDlgItemMessageW(impl_->window, id, message, wParam, lParam) : 0;
}

HICON CDialog::GetIcon(BOOL big) const {
    return big ? impl_->bigIcon : impl_->smallIcon;
}

void CDialog::RememberBound(CWnd& wrapper) {
    impl_->bound.push_back(&wrapper);
}

std::span<const kvn::ControlTemplate> CDialog::TemplateControls() const {
    return impl_->tmpl ? impl_->tmpl->controls : std::span<const kvn::ControlTemplate>();
}

void CDialog::RefuseOrCancel() {
    // While Cancel is disabled, Escape and the close box are refused.
    HWND cancel = impl_->window ? ::GetDlgItem(impl_->window, IDCANCEL) : nullptr;
    if (cancel != nullptr && !::IsWindowEnabled(cancel)) {
        MessageBeep(MB_OK);
        return;
    }
    Command(IDCANCEL);
}
