// The dialog's window over the platform's dialog manager: the template
// becomes an in-memory dialog template run by DialogBoxIndirectParamW, and
// the dialog procedure turns window messages into the dialog's messages and
// steps.
#include "platform/framework/cdialog.h"

#include <vector>

#include "platform/framework/backend.h"
#include "platform/framework/win32/control_names.h"
#include "platform/framework/win32/dialog_layout.h"
#include "platform/framework/win32/handles.h"
#include "platform/framework/win32/icons.h"
#include "platform/framework/win32/pictures.h"
#include "platform/framework/win32/shortened_caption.h"
#include "platform/framework/win32/template_builder.h"

namespace {

// WM_DPICHANGED, which the XP headers lack: the dialog moved to a monitor of
// another DPI.
constexpr UINT kDpiChanged = 0x02E0;
// A private message: "draw the pictures for the dialog's new size".
constexpr UINT kRedrawPictures = WM_APP + 2;
// A private message, posted when the dialog is first drawn: "make the
// tooltips and label the edits for screen readers". The labels are hidden
// and a tooltip only shows when the pointer rests, so the player sees the
// same dialog, sooner. (Anything posted earlier would still come before the
// dialog is shown: the dialog manager shows a modal dialog once its queue is
// first empty.)
constexpr UINT kDrawn = WM_APP + 3;

class Win32Dialog : public kvn::NativeDialog {
  public:
    using NativeDialog::NativeDialog;

    INT_PTR RunModal(const kvn::DialogTemplate& tmpl, NativeWindow* parent) override {
        tmpl_ = &tmpl;
        const std::vector<DWORD> bytes = kvn::BuildDialogTemplate(tmpl);
        // A dialog without a parent is owned by the active one.
        HWND owner = kvn::ToHwnd(parent);
        if (owner == nullptr && CDialog::GetActiveDialog() != nullptr)
            owner = kvn::Hwnd(CDialog::GetActiveDialog());
        const INT_PTR result = DialogBoxIndirectParamW(
            GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()), owner,
            &Procedure, reinterpret_cast<LPARAM>(this));
        window_ = nullptr;
        return result;
    }

    void EndModal(int result) override {
        if (window_ != nullptr)
            ::EndDialog(window_, result);
    }

    NativeWindow* FindItem(int id) const override {
        return window_ ? kvn::ToNative(::GetDlgItem(window_, id)) : nullptr;
    }

    // The title bar shows the small icon, drawn at its own size rather than
    // the large one shrunk.
    void SetIcon(HICON icon, bool big) override {
        SendMessageW(window_, WM_SETICON, big ? ICON_BIG : ICON_SMALL,
                     reinterpret_cast<LPARAM>(big ? icon : kvn::SmallIconFor(icon)));
    }

    LRESULT SendMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        return SendMessageW(window_, message, wParam, lParam);
    }

    void Beep() override { MessageBeep(MB_OK); }

    void HandOnFocus(NativeWindow* item) override {
        HWND from = kvn::ToHwnd(item);
        for (HWND w = GetWindow(from, GW_HWNDPREV); w != nullptr; w = GetWindow(w, GW_HWNDPREV)) {
            // Static texts, pictures and group boxes take no focus.
            if (IsWindowVisible(w) && ::IsWindowEnabled(w) &&
                !(SendMessageW(w, WM_GETDLGCODE, 0, 0) & DLGC_STATIC)) {
                SendMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(w), TRUE);
                return;
            }
        }
    }

    void FitToCaptions() override {
        kvn::FitToCaptions(window_);
        kvn::ShowPictures(window_, tmpl_->controls);
    }
    // The dialog manager takes a group box's mnemonic to the group itself.
    void BindGroupMnemonics() override {}
    void NameForScreenReaders() override { labelEdits_ = true; }
    void PlaceOnScreen() override { kvn::PlaceOnScreen(window_); }

  private:
    static INT_PTR CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    const kvn::DialogTemplate* tmpl_ = nullptr;
    HWND window_ = nullptr;
    bool drawn_ = false;
    bool labelEdits_ = false;
};

INT_PTR CALLBACK Win32Dialog::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<Win32Dialog*>(lParam);
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        self->window_ = hwnd;
        // TRUE: the dialog manager gives the focus to the first tab stop.
        return self->Opened(kvn::ToNative(hwnd));
    }
    auto* self = reinterpret_cast<Win32Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    return self != nullptr ? self->OnMessage(message, wParam, lParam) : FALSE;
}

INT_PTR Win32Dialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (HIWORD(wParam) != BN_CLICKED)
            return FALSE;
        if (id == IDCANCEL) {
            // Escape and a click on Cancel alike: refused while Cancel is disabled.
            RefuseOrCancel();
            return TRUE;
        }
        // Enter sends the default button's id even when it is disabled.
        HWND item = ::GetDlgItem(window_, id);
        if (item != nullptr && !IsWindowEnabled(item)) {
            MessageBeep(MB_OK);
            return TRUE;
        }
        Command(id);
        return TRUE;
    }
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        MessageArgs args{WM_NOTIFY, header->code, static_cast<int>(header->idFrom), wParam, lParam};
        args.notification = header;
        if (!Dialog().DispatchMessage(args))
            return FALSE;
        SetWindowLongPtrW(window_, DWLP_MSGRESULT, args.result);
        return TRUE;
    }
    case WM_SYSCOMMAND: {
        MessageArgs args{WM_SYSCOMMAND, 0, 0, wParam, lParam};
        Dispatch(args);
        // Only the close command is the framework's; the rest (move,
        // minimise, restore) keep the platform's handling.
        return (wParam & 0xFFF0) == SC_CLOSE ? TRUE : FALSE;
    }
    case WM_PAINT: {
        MessageArgs args{WM_PAINT};
        Dispatch(args);
        if (!drawn_) {
            drawn_ = true;
            PostMessageW(window_, kDrawn, 0, 0);
        }
        return TRUE;
    }
    case WM_QUERYDRAGICON: {
        MessageArgs args{WM_QUERYDRAGICON, 0, 0, wParam, lParam};
        Dispatch(args);
        return static_cast<INT_PTR>(args.result);
    }
    case WM_HELP:
        Help();
        return TRUE;
    case WM_DESTROY:
        Destroying();
        kvn::ReleasePictures(window_, tmpl_->controls);
        kvn::ForgetToolTips(window_);
        return FALSE;
    case kDpiChanged:
        // The platform rescales the dialog and its controls itself; the
        // pictures are drawn anew once it has.
        PostMessageW(window_, kRedrawPictures, 0, 0);
        return FALSE;
    case kRedrawPictures:
        kvn::ShowPictures(window_, tmpl_->controls);
        return TRUE;
    case kDrawn:
        kvn::ShowToolTips(window_);
        if (labelEdits_)
            kvn::LabelEditsForScreenReaders(window_);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

std::unique_ptr<kvn::NativeDialog> kvn::CreateNativeDialog(CDialog& dialog) {
    return std::make_unique<Win32Dialog>(dialog);
}
