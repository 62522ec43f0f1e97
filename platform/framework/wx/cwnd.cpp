#include "platform/framework/cwnd.h"

#include <wx/checkbox.h>
#include <wx/dcclient.h>
#include <wx/log.h>
#include <wx/radiobut.h>
#include <wx/settings.h>
#include <wx/textctrl.h>
#include <wx/toplevel.h>

#include "platform/framework/controls.h"
#include "platform/framework/wx/gtk_widget.h"
#include "platform/framework/wx/handles.h"

BOOL CWnd::EnableWindow(BOOL enable) {
    if (window_ == nullptr)
        return FALSE;
    const BOOL wasDisabled = kvn::ToWx(window_)->IsEnabled() ? FALSE : TRUE;
    kvn::ToWx(window_)->Enable(enable != FALSE);
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const {
    return window_ != nullptr && kvn::ToWx(window_)->IsEnabled();
}

void CWnd::SetWindowText(const char* text) {
    if (window_ == nullptr)
        return;
    const wxString value = kvn::FromAnsi(text);
    if (auto* edit = dynamic_cast<wxTextCtrl*>(kvn::ToWx(window_)))
        edit->ChangeValue(value);
    else if (auto* top = dynamic_cast<wxTopLevelWindow*>(kvn::ToWx(window_)))
        top->SetTitle(value);
    else {
        // "&x" marks a mnemonic and "&&" is a literal "&", as the platform's
        // controls read them. A lone "&" at the end shows nothing; the toolkit
        // would also print a debug line for it, which is of no use here.
        wxLogNull quiet;
        kvn::ToWx(window_)->SetLabel(value);
    }
}

std::string CWnd::GetWindowText() const {
    if (window_ == nullptr)
        return {};
    if (auto* edit = dynamic_cast<wxTextCtrl*>(kvn::ToWx(window_)))
        return edit->GetValue().utf8_string();
    if (auto* top = dynamic_cast<wxTopLevelWindow*>(kvn::ToWx(window_)))
        return top->GetTitle().utf8_string();
    return kvn::ToWx(window_)->GetLabel().utf8_string();
}

void CWnd::SetToolTip(const char* text) {
    if (window_ != nullptr)
        kvn::SetOwnToolTip(kvn::ToWx(window_), kvn::FromAnsi(text));
}

void CWnd::SetFocus() {
    if (window_ != nullptr)
        kvn::ToWx(window_)->SetFocus();
}

bool CWnd::HasFocus() const {
    return window_ != nullptr && kvn::IsFocusWidget(kvn::ToWx(window_));
}

int CWnd::GetDlgCtrlID() const {
    return window_ ? kvn::ToWx(window_)->GetId() : 0;
}

BOOL CWnd::IsIconic() const {
    auto* top = dynamic_cast<wxTopLevelWindow*>(kvn::ToWx(window_));
    return top != nullptr && top->IsIconized();
}

void CWnd::GetClientRect(RECT* rect) const {
    const wxSize size = window_ ? kvn::ToWx(window_)->GetClientSize() : wxSize(0, 0);
    *rect = RECT{0, 0, size.x, size.y};
}

int GetSystemMetrics(int index) {
    switch (index) {
    case SM_CXICON: {
        const int x = wxSystemSettings::GetMetric(wxSYS_ICON_X);
        return x > 0 ? x : 32;
    }
    case SM_CYICON: {
        const int y = wxSystemSettings::GetMetric(wxSYS_ICON_Y);
        return y > 0 ? y : 32;
    }
    default:
        return 0;
    }
}

int CButton::GetCheck() const {
    if (auto* check = dynamic_cast<wxCheckBox*>(kvn::ToWx(window_)))
        return check->GetValue() ? 1 : 0;
    if (auto* radio = dynamic_cast<wxRadioButton*>(kvn::ToWx(window_)))
        return radio->GetValue() ? 1 : 0;
    return 0;
}

void CButton::SetCheck(int state) {
    if (auto* check = dynamic_cast<wxCheckBox*>(kvn::ToWx(window_)))
        check->SetValue(state != 0);
    // The toolkit keeps one button of a group checked: clearing happens by
    // checking another.
    else if (auto* radio = dynamic_cast<wxRadioButton*>(kvn::ToWx(window_)); radio && state != 0)
        radio->SetValue(true);
}

void CEdit::SetSel(int start, int end) {
    if (auto* edit = dynamic_cast<wxTextCtrl*>(kvn::ToWx(window_)))
        edit->SetSelection(start, end < 0 ? edit->GetLastPosition() : end);
}

CPaintDC::CPaintDC(CWnd* window) : dc_(new wxPaintDC(kvn::WxWindow(window))) {}

CPaintDC::~CPaintDC() {
    delete static_cast<wxPaintDC*>(dc_);
}

void CPaintDC::DrawIcon(int x, int y, HICON icon) {
    if (icon != nullptr && icon->icon.IsOk())
        static_cast<wxPaintDC*>(dc_)->DrawIcon(icon->icon, x, y);
}
