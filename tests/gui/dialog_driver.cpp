#include "tests/gui/dialog_driver.h"
#include "tests/gui/driver_support.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include "platform/framework/message_box.h"
#include "platform/framework/wx/handles.h"

namespace kvn::test {

namespace {

wxUIActionSimulator& Simulator() {
    static wxUIActionSimulator simulator;
    return simulator;
}

} // namespace

void PumpOnce() {
    wxTheApp->Yield(true);
}

INT_PTR RunDialog(CDialog& dialog, const std::function<void()>& script, int limitSeconds) {
    Watchdog watchdog(limitSeconds);
    bool painted = false;
    wxTimer start;
    start.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        wxWindow* window = kvn::WxWindow(dialog);
        EXPECT_TRUE(window != nullptr && WaitUntil([&] { return window->IsShownOnScreen(); }))
            << "the dialog was not shown";
        window->Bind(wxEVT_PAINT, [&](wxPaintEvent& e) {
            painted = true;
            e.Skip();
        });
        window->Refresh();
        WaitUntil([&] { return painted; }, 2000);
        Pump(50);
        script();
        // Leave nothing open behind the test.
        if (kvn::WxWindow(dialog) != nullptr)
            dialog.EndDialog(IDCANCEL);
    });
    start.StartOnce(10);
    return dialog.DoModal();
}

void ClickAt(wxWindow* window, wxPoint offset) {
    ASSERT_NE(window, nullptr);
    Simulator().MouseMove(window->ClientToScreen(offset));
    Pump(30);
    Simulator().MouseClick();
    Pump(40);
}

void Click(wxWindow* window) {
    ASSERT_NE(window, nullptr);
    const wxSize size = window->GetSize();
    ClickAt(window, wxPoint(size.x / 2, size.y / 2));
}

void Click(CWnd& control) {
    Click(kvn::WxWindow(control));
}

void PressKey(int keyCode, int modifiers) {
    Simulator().Char(keyCode, modifiers);
    Pump(40);
}

void TypeText(const char* text) {
    Simulator().Text(text);
    Pump(60);
}

void ClickSpinArrow(CSpinButtonCtrl& spin, bool up) {
    wxWindow* window = kvn::WxWindow(spin);
    ASSERT_NE(window, nullptr);
    const wxSize size = window->GetClientSize();
    ClickAt(window, wxPoint(size.x / 2, up ? size.y / 4 : size.y * 3 / 4));
}

void HoldSpinArrow(CSpinButtonCtrl& spin, bool up, int ms) {
    wxWindow* window = kvn::WxWindow(spin);
    ASSERT_NE(window, nullptr);
    const wxSize size = window->GetClientSize();
    Simulator().MouseMove(
        window->ClientToScreen(wxPoint(size.x / 2, up ? size.y / 4 : size.y * 3 / 4)));
    Pump(30);
    Simulator().MouseDown();
    Pump(ms);
    Simulator().MouseUp();
    Pump(50);
}

bool IsShown(const CWnd& window) {
    wxWindow* w = kvn::WxWindow(window);
    return w != nullptr && w->IsShown();
}

void PressCloseBox(CDialog& dialog) {
    kvn::WxWindow(dialog)->Close();
}

void PutOnClipboard(const char* text) {
    ASSERT_TRUE(wxTheClipboard->Open());
    wxTheClipboard->SetData(new wxTextDataObject(text));
    wxTheClipboard->Close();
}

bool AllTextSelected(CEdit& edit) {
    auto* text = dynamic_cast<wxTextCtrl*>(kvn::WxWindow(edit));
    if (text == nullptr)
        return false;
    long from = 0;
    long to = 0;
    text->GetSelection(&from, &to);
    return from == 0 && to == text->GetLastPosition();
}

} // namespace kvn::test
