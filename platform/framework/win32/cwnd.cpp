// CWnd and the control wrappers over window handles and control messages.
#include "platform/framework/cwnd.h"

#include <map>
#include <utility>

#include "platform/framework/controls.h"
#include "platform/framework/win32/handles.h"
#include "platform/framework/win32/shortened_caption.h"

namespace {

// The paint sessions open in CPaintDC objects, by device context.
std::map<HDC, std::pair<HWND, PAINTSTRUCT>>& PaintSessions() {
    static std::map<HDC, std::pair<HWND, PAINTSTRUCT>> sessions;
    return sessions;
}

} // namespace

BOOL CWnd::EnableWindow(BOOL enable) {
    return window_ ? ::EnableWindow(kvn::ToHwnd(window_), enable) : FALSE;
}

BOOL CWnd::IsWindowEnabled() const {
    return window_ != nullptr && ::IsWindowEnabled(kvn::ToHwnd(window_));
}

void CWnd::SetWindowText(const char* text) {
    if (window_ != nullptr)
        SetWindowTextW(kvn::ToHwnd(window_), kvn::WideFromAnsi(text).c_str());
}

void CWnd::SetToolTip(const char* text) {
    if (window_ != nullptr)
        kvn::SetOwnToolTip(kvn::ToHwnd(window_), kvn::WideFromAnsi(text));
}

std::string CWnd::GetWindowText() const {
    if (window_ == nullptr)
        return {};
    // The caption as set, also where it is shown shortened.
    return kvn::Utf8FromWide(kvn::WholeCaption(kvn::ToHwnd(window_)));
}

void CWnd::SetFocus() {
    if (window_ == nullptr)
        return;
    HWND hwnd = kvn::ToHwnd(window_);
    // In a dialog the dialog manager moves the focus, so that the default
    // button follows it.
    HWND parent = GetParent(hwnd);
    if (kvn::IsDialog(parent))
        SendMessageW(parent, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(hwnd), TRUE);
    else
        ::SetFocus(hwnd);
}

bool CWnd::HasFocus() const {
    return window_ != nullptr && ::GetFocus() == kvn::ToHwnd(window_);
}

int CWnd::GetDlgCtrlID() const {
    return window_ ? ::GetDlgCtrlID(kvn::ToHwnd(window_)) : 0;
}

BOOL CWnd::IsIconic() const {
    return window_ != nullptr && ::IsIconic(kvn::ToHwnd(window_));
}

void CWnd::GetClientRect(RECT* rect) const {
    *rect = RECT{};
    if (window_ != nullptr)
        ::GetClientRect(kvn::ToHwnd(window_), rect);
}

int CButton::GetCheck() const {
    return window_ ? static_cast<int>(SendMessageW(kvn::ToHwnd(window_), BM_GETCHECK, 0, 0)) : 0;
}

void CButton::SetCheck(int state) {
    if (window_ != nullptr)
        SendMessageW(kvn::ToHwnd(window_), BM_SETCHECK, static_cast<WPARAM>(state), 0);
}

void CEdit::SetSel(int start, int end) {
    if (window_ != nullptr)
        SendMessageW(kvn::ToHwnd(window_), EM_SETSEL, static_cast<WPARAM>(start), end);
}

void CSpinButtonCtrl::SetRange(int lower, int upper) {
    SendMessage(UDM_SETRANGE32, static_cast<WPARAM>(lower), upper);
}

void CSpinButtonCtrl::GetRange(int& lower, int& upper) const {
    lower = upper = 0;
    if (window_ != nullptr)
        SendMessageW(kvn::ToHwnd(window_), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower),
                     reinterpret_cast<LPARAM>(&upper));
}

int CSpinButtonCtrl::GetPos() const {
    return window_ ? static_cast<int>(SendMessageW(kvn::ToHwnd(window_), UDM_GETPOS32, 0, 0)) : 0;
}

LRESULT CSpinButtonCtrl::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return window_ ? SendMessageW(kvn::ToHwnd(window_), message, wParam, lParam) : 0;
}

CPaintDC::CPaintDC(CWnd* window) : dc_(nullptr) {
    HWND hwnd = kvn::Hwnd(window);
    if (hwnd == nullptr)
        return;
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(hwnd, &paint);
    dc_ = dc;
    PaintSessions()[dc] = {hwnd, paint};
}

CPaintDC::~CPaintDC() {
    auto it = PaintSessions().find(static_cast<HDC>(dc_));
    if (it == PaintSessions().end())
        return;
    EndPaint(it->second.first, &it->second.second);
    PaintSessions().erase(it);
}

void CPaintDC::DrawIcon(int x, int y, HICON icon) {
    if (dc_ != nullptr && icon != nullptr)
        ::DrawIcon(static_cast<HDC>(dc_), x, y, icon);
}
