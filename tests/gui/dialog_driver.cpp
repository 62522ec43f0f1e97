// The test driver with wx: the script runs from a timer in the dialog's loop,
// waits yield to the toolkit, and input goes through the X server.
#include "tests/gui/dialog_driver.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include "platform/framework/wx/handles.h"
#include "tests/gui/driver_support.h"

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

INT_PTR ShowAndRun(CDialog& dialog, const std::function<void()>& call) {
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
        call();
    });
    start.StartOnce(10);
    return dialog.DoModal();
}

void MovePointer(const CWnd& window, int x, int y) {
    Simulator().MouseMove(kvn::WxWindow(window)->ClientToScreen(wxPoint(x, y)));
}

void PressMouseButton(bool down) {
    if (down)
        Simulator().MouseDown();
    else
        Simulator().MouseUp();
}

void SendKey(int keyCode, int modifiers) {
    Simulator().Char(keyCode, modifiers);
}

void TypeText(const char* text) {
    Simulator().Text(text);
    Pump(60);
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
