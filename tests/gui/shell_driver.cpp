// The shell driver over wx: wxTimer, wx events, and a modal-dialog hook that
// sees the message boxes.
#include "tests/gui/shell_driver.h"

#include <algorithm>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/modalhook.h>
#include <wx/statbmp.h>
#include <wx/timer.h>
#include <wx/toplevel.h>
#include <wx/uiaction.h>

#include "platform/framework/wx/handles.h"

namespace kvn::test {

struct RepeatingTimer::Impl {
    wxTimer timer;
    bool running = false;
};

RepeatingTimer::RepeatingTimer(int ms, std::function<void()> tick)
    : impl_(std::make_unique<Impl>()) {
    impl_->timer.Bind(wxEVT_TIMER, [impl = impl_.get(), tick = std::move(tick)](wxTimerEvent&) {
        if (impl->running)
            return;
        impl->running = true;
        tick();
        impl->running = false;
    });
    impl_->timer.Start(ms);
}

RepeatingTimer::~RepeatingTimer() {
    impl_->timer.Stop();
}

void SendClick(CButton& button) {
    wxWindow* window = kvn::WxWindow(button);
    wxCommandEvent click(wxEVT_BUTTON, window->GetId());
    click.SetEventObject(window);
    window->ProcessWindowEvent(click);
}

void DoubleClick(CWnd& control) {
    wxWindow* window = kvn::WxWindow(control);
    ASSERT_NE(window, nullptr);
    wxUIActionSimulator simulator;
    const wxSize size = window->GetSize();
    simulator.MouseMove(window->ClientToScreen(wxPoint(size.x / 2, size.y / 2)));
    Pump(30);
    simulator.MouseDblClick();
    Pump(40);
}

bool RepaintsAfterInvalidate(CWnd& window) {
    wxWindow* w = kvn::WxWindow(window);
    bool painted = false;
    auto onPaint = [&](wxPaintEvent& event) {
        painted = true;
        event.Skip();
    };
    w->Bind(wxEVT_PAINT, onPaint);
    w->Refresh();
    const bool result = WaitUntil([&] { return painted; });
    w->Unbind(wxEVT_PAINT, onPaint);
    return result;
}

int IconWidth(CDialog& dialog) {
    auto* window = dynamic_cast<wxTopLevelWindow*>(kvn::WxWindow(dialog));
    if (window == nullptr || window->GetIcons().IsEmpty())
        return 0;
    return window->GetIcons().GetIconByIndex(0).GetWidth();
}

int SystemIconWidth() {
    return 32;
}

struct MessageBoxWatcher::Impl : wxModalDialogHook {
    Impl() { Register(); }
    ~Impl() override { Unregister(); }
    int Enter(wxDialog* dialog) override {
        box = dialog;
        ++entered;
        title = dialog->GetTitle().utf8_string();
        return wxID_NONE;
    }
    void Exit(wxDialog*) override { ++left; }

    int entered = 0;
    int left = 0;
    std::string title;
    wxDialog* box = nullptr; // the last one opened
};

MessageBoxWatcher::MessageBoxWatcher() : impl_(std::make_unique<Impl>()) {}
MessageBoxWatcher::~MessageBoxWatcher() = default;

int MessageBoxWatcher::Opened() const {
    return impl_->entered;
}

int MessageBoxWatcher::Closed() const {
    return impl_->left;
}

bool MessageBoxWatcher::IsOpen() const {
    return impl_->entered > impl_->left && impl_->box->IsShown();
}

std::string MessageBoxWatcher::Title() const {
    return impl_->title;
}

MessageBoxWatcher::Look MessageBoxWatcher::LookAtBox() const {
    Look look;
    if (!IsOpen())
        return look;
    wxDialog* box = impl_->box;
    const wxWindowList& children = box->GetChildren();
    look.warningIcon = std::any_of(children.begin(), children.end(), [](wxWindow* w) {
        auto* icon = dynamic_cast<wxStaticBitmap*>(w);
        return icon && icon->GetBitmap().GetWidth() >= 32;
    });
    auto* ok = dynamic_cast<wxButton*>(box->FindWindow(wxID_OK));
    if (ok == nullptr)
        return look;
    look.okFocused = wxWindow::FindFocus() == ok;
    look.okDefault = box->GetDefaultItem() == ok;
    look.okNarrow = ok->GetSize().x * 2 < box->GetClientSize().x;
    return look;
}

void MessageBoxWatcher::PressKey(int keyCode) {
    // The pointer over the box, which is centred on the screen.
    wxUIActionSimulator simulator;
    simulator.MouseMove(wxGetDisplaySize().x / 2, wxGetDisplaySize().y / 2);
    simulator.Char(keyCode);
}

} // namespace kvn::test
