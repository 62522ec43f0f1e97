// The GTK widget beneath a wx control: what screen readers get, property
// watches, keyboard focus and captions.
#pragma once

#include <functional>

#include <wx/string.h>
#include <wx/window.h>

namespace kvn {

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
// The program's own tooltip for the control, shown after the whole caption
// of a shortened one.
void SetOwnToolTip(wxWindow* control, const wxString& text);
// Runs `action` instead of the toolkit's own handling of the caption's
// mnemonic.
void OnCaptionMnemonic(wxWindow* control, std::function<void()> action);

} // namespace kvn
