// Fits a dialog built from a template to its captions and to the screen.
#pragma once

#include <wx/dialog.h>

namespace kvn {

// Widens the controls whose captions do not fit their rectangles, moving
// their rows and growing their group boxes and the dialog to make room.
// Run once the captions are set, before the dialog is shown. The dialog
// never grows past the work area of its monitor: captions that still do not
// fit are shortened with an ellipsis, their whole text the tooltip.
void FitToCaptions(wxDialog* dialog);

// Centres the dialog (over its parent, if any) and keeps it inside its
// monitor's work area.
void PlaceOnScreen(wxDialog* dialog);

} // namespace kvn
