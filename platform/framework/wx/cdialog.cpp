#include "platform/framework/cdialog.h"

#include <map>
#include <memory>
#include <vector>

#include <wx/button.h>
#include <wx/dcclient.h>
#include <wx/dialog.h>
#include <wx/iconbndl.h>
#include <wx/utils.h>

#include "platform/framework/backend.h"
#include "platform/framework/cwinapp.h"
#include "platform/framework/resource_registry.h"
#include "platform/framework/wx/dialog_layout.h"
#include "platform/framework/wx/dialog_manager.h"
#include "platform/framework/wx/gtk_widget.h"
#include "platform/framework/wx/handles.h"
#include "platform/framework/wx/template_builder.h"

// The toolkit's window of a CDialog: turns widget events into the messages
// the dialog's map and virtual steps expect.
class DialogWindow : public wxDialog {
  public:
    DialogWindow(CDialog& owner, const kvn::DialogTemplate& tmpl, wxWindow* parent)
        : owner_(owner) {
        long style = 0;
        if (tmpl.styles & kvn::kCaption)
            style |= wxCAPTION;
        if (tmpl.styles & kvn::kSystemMenu)
            style |= wxSYSTEM_MENU | wxCLOSE_BOX;
        if (tmpl.styles & kvn::kMinimizeBox)
            style |= wxMINIMIZE_BOX;
        Create(parent, wxID_ANY, kvn::FromAnsi(tmpl.title), wxDefaultPosition, wxDefaultSize,
               style);
        Bind(wxEVT_BUTTON, &DialogWindow::OnClicked, this);
        Bind(wxEVT_CHECKBOX, &DialogWindow::OnClicked, this);
        Bind(wxEVT_RADIOBUTTON, &DialogWindow::OnClicked, this);
        Bind(wxEVT_CHAR_HOOK, &DialogWindow::OnCharHook, this);
        Bind(wxEVT_CLOSE_WINDOW, &DialogWindow::OnCloseBox, this);
        Bind(wxEVT_PAINT, &DialogWindow::OnPaint, this);
    }

  private:
    void OnClicked(wxCommandEvent& event) { owner_.Command(event.GetId()); }

    void OnCharHook(wxKeyEvent& event) {
        const int key = event.GetKeyCode();
        if (event.GetModifiers() != wxMOD_NONE) {
            event.Skip();
            return;
        }
        switch (key) {
        case WXK_ESCAPE:
            owner_.PressEscape();
            return;
        case WXK_RETURN:
        case WXK_NUMPAD_ENTER: {
            // Enter presses the focused push button, else the default one.
            auto* focused = dynamic_cast<wxButton*>(wxWindow::FindFocus());
            const int id =
                focused != nullptr && focused->GetParent() == this ? focused->GetId() : IDOK;
            wxWindow* button = FindWindow(id);
            if (button != nullptr && !button->IsEnabled())
                wxBell();
            else
                owner_.Command(id);
            return;
        }
        case WXK_UP:
        case WXK_DOWN:
        case WXK_LEFT:
        case WXK_RIGHT:
        case WXK_NUMPAD_UP:
        case WXK_NUMPAD_DOWN:
        case WXK_NUMPAD_LEFT:
        case WXK_NUMPAD_RIGHT:
            if (!kvn::WrapRadioGroup(wxWindow::FindFocus(), key))
                event.Skip();
            return;
        case WXK_F1: {
            MessageArgs help{WM_COMMAND, BN_CLICKED, static_cast<int>(ID_HELP)};
            if (!owner_.DispatchMessage(help) && AfxGetApp() != nullptr)
                AfxGetApp()->DispatchMessage(help);
            return;
        }
        default:
            event.Skip();
        }
    }

    void OnCloseBox(wxCloseEvent& event) {
        if (!event.CanVeto()) {
            event.Skip();
            return;
        }
        event.Veto();
        owner_.PressClose();
    }

    void OnPaint(wxPaintEvent&) {
        MessageArgs paint{WM_PAINT};
        owner_.Dispatch(paint);
    }

    CDialog& owner_;
};

struct CDialog::Impl {
    const kvn::DialogTemplate* tmpl = nullptr;
    DialogWindow* window = nullptr;
    std::map<int, wxWindow*> items;
    std::vector<CWnd*> bound;
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
    impl_->tmpl = tmpl;
    auto* window = new DialogWindow(*this, *tmpl, kvn::WxWindow(parent_));
    impl_->window = window;
    window_ = kvn::ToNative(window);
    impl_->items = kvn::BuildControls(window, *tmpl, [this](NMUPDOWN& change) {
        MessageArgs args{WM_NOTIFY, change.hdr.code, static_cast<int>(change.hdr.idFrom)};
        args.notification = &change.hdr;
        DispatchMessage(args);
        return args.result;
    });
    kvn::OpenDialogs().push_back(this);

    if (OnOpen()) {
        // The first enabled tab-stop control in z-order gets the focus.
        for (const kvn::ControlTemplate& c : tmpl->controls) {
            auto it = impl_->items.find(c.id);
            if ((c.styles & kvn::kTabStop) && it != impl_->items.end() && it->second->IsEnabled()) {
                it->second->SetFocus();
                break;
            }
        }
    }
    // The open step may have relabelled controls: make room for the captions.
    kvn::FitToCaptions(window);
    kvn::BindGroupMnemonics(window);
    kvn::NameUnlabelledControls(window);
    kvn::PlaceOnScreen(window);
    const int result = window->ShowModal();

    MessageArgs destroy{WM_DESTROY};
    Dispatch(destroy);
    kvn::OpenDialogs().erase(std::find(kvn::OpenDialogs().begin(), kvn::OpenDialogs().end(), this));
    for (CWnd* wrapper : impl_->bound)
        wrapper->Detach();
    impl_->bound.clear();
    impl_->itemWrappers.clear();
    impl_->items.clear();
    window_ = nullptr;
    impl_->window = nullptr;
    window->Destroy();
    return result;
}

void CDialog::EndDialog(int result) {
    if (impl_->window != nullptr && impl_->window->IsModal())
        impl_->window->EndModal(result);
}

CWnd* CDialog::GetDlgItem(int id) {
    auto it = impl_->items.find(id);
    if (it == impl_->items.end())
        return nullptr;
    auto& wrapper = impl_->itemWrappers[id];
    if (!wrapper) {
        wrapper = std::make_unique<CWnd>();
        wrapper->Attach(kvn::ToNative(it->second));
    }
    return wrapper.get();
}

bool CDialog::HasFocusedControl() const {
    for (const auto& item : impl_->items)
        if (kvn::IsFocusWidget(item.second))
            return true;
    return false;
}

HICON CDialog::SetIcon(HICON icon, BOOL big) {
    HICON& slot = big ? impl_->bigIcon : impl_->smallIcon;
    HICON old = slot;
    slot = icon;
    if (impl_->window != nullptr) {
        wxIconBundle bundle;
        for (HICON h : {impl_->bigIcon, impl_->smallIcon})
            if (h != nullptr && h->icon.IsOk())
                bundle.AddIcon(h->icon);
        impl_->window->SetIcons(bundle);
    }
    return old;
}

LRESULT CDialog::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETICON:
        return reinterpret_cast<LRESULT>(
            SetIcon(reinterpret_cast<HICON>(lParam), wParam == ICON_BIG ? TRUE : FALSE));
    case WM_SYSCOMMAND:
    case WM_QUERYDRAGICON: {
        MessageArgs args{message, 0, 0, wParam, lParam};
        Dispatch(args);
        return args.result;
    }
    default:
        // WM_ICONERASEBKGND: the toolkit draws the background itself.
        return 0;
    }
}

LRESULT CDialog::SendDlgItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam) {
    auto it = impl_->items.find(id);
    if (it == impl_->items.end())
        return 0;
    CSpinButtonCtrl spin;
    spin.Attach(kvn::ToNative(it->second));
    return spin.SendMessage(message, wParam, lParam);
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
    auto it = impl_->items.find(IDCANCEL);
    if (it != impl_->items.end() && !it->second->IsEnabled()) {
        wxBell();
        return;
    }
    Command(IDCANCEL);
}
