#include <string>

#include <wx/dcclient.h>
#include <wx/renderer.h>
#include <wx/settings.h>
#include <wx/time.h>
#include <wx/utils.h>

#include "platform/framework/controls.h"
#include "platform/framework/wx/gtk_widget.h"
#include "platform/framework/wx/handles.h"
#include "platform/framework/wx/updown_ctrl.h"

namespace kvn {

namespace {

constexpr int kInitialDelayMs = 500;
constexpr int kRepeatDelayMs = 50;

// The platform's default acceleration: 1 per step, 5 after 2 s, 20 after 5 s.
int AcceleratedStep(wxLongLong heldMs) {
    if (heldMs >= 5000)
        return 20;
    if (heldMs >= 2000)
        return 5;
    return 1;
}

} // namespace

UpDownCtrl::UpDownCtrl(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size,
                       unsigned styles, DeltaHandler onDelta)
    : wxControl(parent, id, pos, size, wxBORDER_NONE | wxFULL_REPAINT_ON_RESIZE), styles_(styles),
      onDelta_(std::move(onDelta)), timer_(this) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &UpDownCtrl::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &UpDownCtrl::OnLeftDown, this);
    // A quick second click counts as a click of its own.
    Bind(wxEVT_LEFT_DCLICK, &UpDownCtrl::OnLeftDown, this);
    Bind(wxEVT_LEFT_UP, &UpDownCtrl::OnLeftUp, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &UpDownCtrl::OnCaptureLost, this);
    Bind(wxEVT_TIMER, &UpDownCtrl::OnTimer, this);
    // Reached with the mouse or through the buddy's arrow keys only.
    RefuseKeyboardFocus(this);
    MakeSpinButtonAccessible(this);
}

void UpDownCtrl::SetBuddy(wxTextCtrl* buddy) {
    buddy_ = buddy;
    if (buddy_ == nullptr)
        return;
    if (styles_ & kArrowKeys)
        buddy_->Bind(wxEVT_KEY_DOWN, &UpDownCtrl::OnBuddyKey, this);
    // Typed, stepped or set by the program alike.
    watches_.push_back(WatchProperty(buddy_, "text", [this] { FollowBuddy(); }));
    watches_.push_back(WatchProperty(buddy_, "sensitive", [this] { FollowBuddy(); }));
    buddy_->Bind(wxEVT_DESTROY, &UpDownCtrl::OnBuddyDestroyed, this);
    FollowBuddy();
}

UpDownCtrl::~UpDownCtrl() {
    ReleaseBuddy();
    ForgetSpinButtonAccessible(this);
}

void UpDownCtrl::OnBuddyDestroyed(wxWindowDestroyEvent& event) {
    event.Skip();
    if (event.GetEventObject() == buddy_)
        ReleaseBuddy();
}

// Whichever of the two goes first, the other no longer calls on it.
void UpDownCtrl::ReleaseBuddy() {
    if (buddy_ == nullptr)
        return;
    for (unsigned long watch : watches_)
        Unwatch(buddy_, watch);
    watches_.clear();
    buddy_->Unbind(wxEVT_DESTROY, &UpDownCtrl::OnBuddyDestroyed, this);
    if (styles_ & kArrowKeys)
        buddy_->Unbind(wxEVT_KEY_DOWN, &UpDownCtrl::OnBuddyKey, this);
    buddy_ = nullptr;
}

void UpDownCtrl::FollowBuddy() {
    if (buddy_ == nullptr)
        return;
    // The arrows act on the buddy: they show, and report, its enabled state.
    if (IsEnabled() != buddy_->IsEnabled())
        Enable(buddy_->IsEnabled());
    Refresh();
    NotifyValueChanged(this);
}

void UpDownCtrl::SetPosition(int position) {
    position_ = UpDownApplyDelta(position, 0, range_);
    if (buddy_ && (styles_ & kSetBuddyInt))
        buddy_->ChangeValue(std::to_string(position_));
    NotifyValueChanged(this);
}

int UpDownCtrl::GetShownPosition() const {
    if (buddy_ && (styles_ & kSetBuddyInt))
        return UpDownStartPosition(buddy_->GetValue().utf8_string(), position_, range_);
    return position_;
}

bool UpDownCtrl::IsActive() const {
    return IsEnabled() && (buddy_ == nullptr || buddy_->IsEnabled());
}

void UpDownCtrl::Step(bool up, int step) {
    if (!IsActive())
        return;
    if (buddy_ && (styles_ & kSetBuddyInt))
        position_ = UpDownStartPosition(buddy_->GetValue().utf8_string(), position_, range_);
    NMUPDOWN change{{this, static_cast<UINT_PTR>(GetId()), UDN_DELTAPOS},
                    position_,
                    UpDownProposedDelta(up, step, range_)};
    if (onDelta_ && onDelta_(change) != 0)
        return;
    SetPosition(UpDownApplyDelta(position_, change.iDelta, range_));
}

wxSize UpDownCtrl::DoGetBestSize() const {
    return FromDIP(wxSize(18, 30));
}

int UpDownCtrl::HalfAt(const wxPoint& point) const {
    return point.y < GetClientSize().y / 2 ? +1 : -1;
}

void UpDownCtrl::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    const wxSize size = GetClientSize();
    dc.SetBackground(wxBrush(GetParent()->GetBackgroundColour()));
    dc.Clear();
    const bool active = IsActive();
    const int half = size.y / 2;
    const wxRect halves[2] = {wxRect(0, 0, size.x, half), wxRect(0, half, size.x, size.y - half)};
    for (int i = 0; i < 2; ++i) {
        const bool isUp = i == 0;
        int flags = active ? 0 : int{wxCONTROL_DISABLED};
        if (pressed_ == (isUp ? +1 : -1))
            flags |= wxCONTROL_PRESSED;
        wxRendererNative::Get().DrawPushButton(this, dc, halves[i], flags);

        // A small filled triangle in the middle of each half.
        const wxRect& r = halves[i];
        const int w = std::max(3, std::min(r.width - 6, 9) | 1);
        const int h = (w + 1) / 2;
        const int cx = r.x + r.width / 2;
        const int top = r.y + (r.height - h) / 2;
        wxPoint tri[3];
        if (isUp) {
            tri[0] = wxPoint(cx - w / 2, top + h);
            tri[1] = wxPoint(cx + w / 2 + 1, top + h);
            tri[2] = wxPoint(cx, top);
        } else {
            tri[0] = wxPoint(cx - w / 2, top);
            tri[1] = wxPoint(cx + w / 2 + 1, top);
            tri[2] = wxPoint(cx, top + h);
        }
        const wxColour colour =
            wxSystemSettings::GetColour(active ? wxSYS_COLOUR_BTNTEXT : wxSYS_COLOUR_GRAYTEXT);
        dc.SetPen(wxPen(colour));
        dc.SetBrush(wxBrush(colour));
        dc.DrawPolygon(3, tri);
    }
}

void UpDownCtrl::OnLeftDown(wxMouseEvent& event) {
    if (!IsActive())
        return;
    pressed_ = HalfAt(event.GetPosition());
    pressStart_ = wxGetLocalTimeMillis();
    if (!HasCapture())
        CaptureMouse();
    Refresh();
    Step(pressed_ > 0);
    timer_.StartOnce(kInitialDelayMs);
}

void UpDownCtrl::OnTimer(wxTimerEvent&) {
    if (pressed_ == 0)
        return;
    // Holding the button repeats the step while the pointer is over the
    // half it pressed.
    const wxPoint at = ScreenToClient(wxGetMousePosition());
    if (wxRect(GetClientSize()).Contains(at) && HalfAt(at) == pressed_)
        Step(pressed_ > 0, AcceleratedStep(wxGetLocalTimeMillis() - pressStart_));
    timer_.StartOnce(kRepeatDelayMs);
}

void UpDownCtrl::OnLeftUp(wxMouseEvent&) {
    Release();
}

void UpDownCtrl::OnCaptureLost(wxMouseCaptureLostEvent&) {
    Release();
}

void UpDownCtrl::Release() {
    timer_.Stop();
    if (HasCapture())
        ReleaseMouse();
    if (pressed_ != 0) {
        pressed_ = 0;
        Refresh();
    }
}

void UpDownCtrl::OnBuddyKey(wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    if (event.GetModifiers() == wxMOD_NONE &&
        (key == WXK_UP || key == WXK_DOWN || key == WXK_NUMPAD_UP || key == WXK_NUMPAD_DOWN)) {
        Step(key == WXK_UP || key == WXK_NUMPAD_UP);
        return;
    }
    event.Skip();
}

} // namespace kvn

namespace {

kvn::UpDownCtrl* AsUpDown(wxWindow* window) {
    return dynamic_cast<kvn::UpDownCtrl*>(window);
}

} // namespace

void CSpinButtonCtrl::SetRange(int lower, int upper) {
    if (auto* c = AsUpDown(kvn::ToWx(window_)))
        c->SetRange({lower, upper});
}

void CSpinButtonCtrl::GetRange(int& lower, int& upper) const {
    if (auto* c = AsUpDown(kvn::ToWx(window_))) {
        lower = c->GetRange().lower;
        upper = c->GetRange().upper;
    }
}

int CSpinButtonCtrl::GetPos() const {
    auto* c = AsUpDown(kvn::ToWx(window_));
    return c ? c->GetPosition() : 0;
}

LRESULT CSpinButtonCtrl::SendMessage(UINT message, WPARAM, LPARAM lParam) {
    auto* c = AsUpDown(kvn::ToWx(window_));
    if (c == nullptr)
        return 0;
    switch (message) {
    case UDM_SETRANGE:
        // Low word: the maximum (upper end); high word: the minimum.
        c->SetRange({static_cast<short>(HIWORD(static_cast<std::uintptr_t>(lParam))),
                     static_cast<short>(LOWORD(static_cast<std::uintptr_t>(lParam)))});
        return 0;
    case UDM_GETRANGE:
        return static_cast<LRESULT>(MAKELONG(static_cast<unsigned>(c->GetRange().upper),
                                             static_cast<unsigned>(c->GetRange().lower)));
    case UDM_SETPOS:
        c->SetPosition(static_cast<short>(LOWORD(static_cast<std::uintptr_t>(lParam))));
        return 0;
    case UDM_GETPOS:
        return c->GetPosition();
    default:
        return 0;
    }
}
