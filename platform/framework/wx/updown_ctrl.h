// The up-down control of dialog templates, drawn by the framework.
#pragma once

#include <functional>
#include <vector>

#include <wx/control.h>
#include <wx/textctrl.h>
#include <wx/timer.h>

#include "platform/framework/dialog_template.h"
#include "platform/framework/updown_rules.h"
#include "platform/wintypes.h"

namespace kvn {

// A compact up-down control drawn with the toolkit's button look: two arrow
// halves, stepping the position of its buddy edit.
class UpDownCtrl : public wxControl {
  public:
    // Asked before each change; a nonzero result refuses it. The handler may
    // change iDelta.
    using DeltaHandler = std::function<LRESULT(NMUPDOWN&)>;

    UpDownCtrl(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size, unsigned styles,
               DeltaHandler onDelta);
    ~UpDownCtrl() override;

    void SetBuddy(wxTextCtrl* buddy);
    wxTextCtrl* GetBuddy() const { return buddy_; }
    void SetRange(UpDownRange range) { range_ = range; }
    UpDownRange GetRange() const { return range_; }
    int GetPosition() const { return position_; }
    void SetPosition(int position);
    // One step of `step` units, as one arrow click or key press makes it.
    void Step(bool up, int step = 1);
    // Disabled too while its buddy is disabled.
    bool IsActive() const;
    // The position the next step starts from: the buddy's number when it
    // holds one within the range.
    int GetShownPosition() const;

    bool AcceptsFocus() const override { return false; }

  protected:
    wxSize DoGetBestSize() const override;

  private:
    void OnPaint(wxPaintEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void OnTimer(wxTimerEvent& event);
    void OnBuddyKey(wxKeyEvent& event);
    // Follows the buddy's enabled state and shown value.
    void FollowBuddy();
    void OnBuddyDestroyed(wxWindowDestroyEvent& event);
    void ReleaseBuddy();
    void Release();
    int HalfAt(const wxPoint& point) const; // +1 upper, -1 lower

    unsigned styles_;
    DeltaHandler onDelta_;
    wxTextCtrl* buddy_ = nullptr;
    std::vector<unsigned long> watches_;
    UpDownRange range_;
    int position_ = 0;
    int pressed_ = 0;
    wxLongLong pressStart_;
    wxTimer timer_;
};

} // namespace kvn
