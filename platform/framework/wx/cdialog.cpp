// The dialog's window over wxWidgets: a wxDialog built from the template,
// run by ShowModal; its events become the dialog's messages and steps.
#include "platform/framework/cdialog.h"

#include <map>

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/iconbndl.h>
#include <wx/utils.h>

#include "platform/framework/backend.h"
#include "platform/framework/wx/dialog_layout.h"
#include "platform/framework/wx/dialog_manager.h"
#include "platform/framework/wx/handles.h"
#include "platform/framework/wx/template_builder.h"

namespace {

// The toolkit's window of a dialog: turns widget events into the messages
// the dialog's map and virtual steps expect.
class DialogWindow : public wxDialog {
  public:
    DialogWindow(kvn::NativeDialog& owner, const kvn::DialogTemplate& tmpl, wxWindow* parent)
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
            owner_.RefuseOrCancel();
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
        case WXK_F1:
            owner_.Help();
            return;
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
        owner_.Dialog().PressClose();
    }

    void OnPaint(wxPaintEvent&) {
        MessageArgs paint{WM_PAINT};
        owner_.Dispatch(paint);
    }

    kvn::NativeDialog& owner_;
};

class WxDialog : public kvn::NativeDialog {
  public:
    using NativeDialog::NativeDialog;
    ~WxDialog() override {
        if (window_ != nullptr)
            window_->Destroy();
    }

    INT_PTR RunModal(const kvn::DialogTemplate& tmpl, NativeWindow* parent) override {
        window_ = new DialogWindow(*this, tmpl, kvn::ToWx(parent));
        items_ = kvn::BuildControls(window_, tmpl, [this](NMUPDOWN& change) {
            MessageArgs args{WM_NOTIFY, change.hdr.code, static_cast<int>(change.hdr.idFrom)};
            args.notification = &change.hdr;
            Dialog().DispatchMessage(args);
            return args.result;
        });
        if (Opened(kvn::ToNative(window_))) {
            // The first enabled tab-stop control in z-order gets the focus.
            for (const kvn::ControlTemplate& c : tmpl.controls) {
                auto it = items_.find(c.id);
                if ((c.styles & kvn::kTabStop) && it != items_.end() && it->second->IsEnabled()) {
                    it->second->SetFocus();
                    break;
                }
            }
        }
        const int result = window_->ShowModal();
        Destroying();
        return result;
    }

    void EndModal(int result) override {
        if (window_ != nullptr && window_->IsModal())
            window_->EndModal(result);
    }

    NativeWindow* FindItem(int id) const override {
        auto it = items_.find(id);
        return it == items_.end() ? nullptr : kvn::ToNative(it->second);
    }

    // The toolkit takes both icons at once.
    void SetIcon(HICON, bool) override {
        wxIconBundle bundle;
        for (HICON h : {Dialog().GetIcon(TRUE), Dialog().GetIcon(FALSE)})
            if (h != nullptr && h->icon.IsOk())
                bundle.AddIcon(h->icon);
        window_->SetIcons(bundle);
    }

    LRESULT SendMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_SYSCOMMAND && message != WM_QUERYDRAGICON)
            return 0; // WM_ICONERASEBKGND: the toolkit draws the background itself.
        MessageArgs args{message, 0, 0, wParam, lParam};
        Dispatch(args);
        return args.result;
    }

    void Beep() override { wxBell(); }
    void HandOnFocus(NativeWindow* item) override { kvn::HandOnFocus(kvn::ToWx(item)); }
    void FitToCaptions() override { kvn::FitToCaptions(window_); }
    void BindGroupMnemonics() override { kvn::BindGroupMnemonics(window_); }
    void NameForScreenReaders() override { kvn::NameUnlabelledControls(window_); }
    void PlaceOnScreen() override { kvn::PlaceOnScreen(window_); }

  private:
    DialogWindow* window_ = nullptr;
    std::map<int, wxWindow*> items_;
};

} // namespace

std::unique_ptr<kvn::NativeDialog> kvn::CreateNativeDialog(CDialog& dialog) {
    return std::make_unique<WxDialog>(dialog);
}
