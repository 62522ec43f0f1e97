// Framework internals: the widgets behind templates, icons and bitmaps.
#pragma once

#include <functional>
#include <map>
#include <vector>

#include <wx/bitmap.h>
#include <wx/control.h>
#include <wx/icon.h>
#include <wx/textctrl.h>
#include <wx/timer.h>

#include "platform/framework/ansi_text.h"
#include "platform/framework/dialog_template.h"
#include "platform/framework/updown_rules.h"
#include "platform/framework/win_defs.h"

struct IconHandle {
    wxIcon icon;
};

namespace kvn {

// Profile-file text (Windows code page or UTF-8) as a widget's text.
inline wxString FromAnsi(const char* text) {
    return wxString::FromUTF8(AnsiToUtf8(text ? text : ""));
}

// Bitmap or icon `id` of the program's resources; for an unknown id, a plain
// placeholder of `fallbackSize`.
wxBitmap LoadResourceBitmap(int id, wxSize fallbackSize);
HICON LoadResourceIcon(int id);
// What the image `id` shows, in a few words; empty for an unknown id.
wxString ResourceDescription(int id);

// Makes GTK's buttons and entries fit the heights of dialog templates.
void ApplyCompactStyle();

class UpDownCtrl;

// Accessibility: the names, roles and values screen readers get.
void MakeSpinButtonAccessible(UpDownCtrl* control);
// The accessible outlives the control by a little: it reads nothing from it.
void ForgetSpinButtonAccessible(UpDownCtrl* control);
void NotifyValueChanged(wxWindow* control);
void SetAccessibleName(wxWindow* control, const wxString& name);
wxString AccessibleName(wxWindow* control);
// True when `control` has the keyboard focus, or gets it when its window is
// active again.
bool IsFocusWidget(wxWindow* control);
void MakeImageAccessible(wxWindow* control, const wxString& description);
// Calls `changed` whenever the toolkit property `property` of the control
// changes ("sensitive": enabled or disabled; "text": an edit's text).
// Returns the watch, for Unwatch.
unsigned long WatchProperty(wxWindow* control, const char* property, std::function<void()> changed);
void Unwatch(wxWindow* control, unsigned long watch);
// Keeps a control that takes no keyboard input out of the focus chain.
void RefuseKeyboardFocus(wxWindow* control);
// Shows the caption cut with an ellipsis where the control is narrower than
// it, the whole caption as tooltip (the accessible name stays whole); or
// undoes that.
void ShortenCaption(wxWindow* control, bool shorten);
// Runs `action` instead of the toolkit's own handling of the caption's
// mnemonic.
void OnCaptionMnemonic(wxWindow* control, std::function<void()> action);

// Keyboard behaviour of a dialog beyond the toolkit's: a group box's mnemonic
// moves the focus to the group's checked choice. Run once the captions are
// final.
void BindGroupMnemonics(wxWindow* dialog);
// The arrow keys wrap round inside a radio group: true when `key` (pressed
// in the focused radio button) was such a wrap and has been handled.
bool WrapRadioGroup(wxWindow* focused, int key);
// Gives the focus to the control nearest before `from` in z-order that can
// take it (after it when none before), as when `from` is disabled.
void HandOnFocus(wxWindow* from);
// Names each edit after the caption of the control before it in z-order, and
// an up-down control after its buddy. Run once the captions are final.
void NameUnlabelledControls(wxWindow* dialog);

// A static picture: the bitmap scaled into the rectangle, inside a sunken
// edge when the template asks for one.
class PictureCtrl : public wxControl {
  public:
    // An image to screen readers, described by `description`.
    PictureCtrl(wxWindow* parent, int id, const wxRect& rect, const wxBitmap& bitmap, bool sunken,
                const wxString& description);
    const wxBitmap& GetBitmap() const { return bitmap_; }
    bool AcceptsFocus() const override { return false; }

  private:
    void OnPaint(wxPaintEvent& event);

    wxBitmap bitmap_;
    bool sunken_;
};

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
