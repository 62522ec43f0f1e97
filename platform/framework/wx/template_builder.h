// Creates a dialog's widgets from its template.
#pragma once

#include <map>

#include <wx/dialog.h>

#include "platform/framework/dialog_template.h"
#include "platform/framework/wx/updown_ctrl.h"

namespace kvn {

// Pixels per dialog unit, from the dialog font: ConvertDialogToPixels(4, 8).
struct BaseUnits {
    int x = 8;  // pixels per 4 horizontal units
    int y = 16; // pixels per 8 vertical units
    wxRect ToPixels(int x0, int y0, int w, int h) const;
};

BaseUnits MeasureBaseUnits(wxWindow* dialog);

// Creates the controls of `tmpl` on `dialog` in z-order and sizes the
// dialog to fit them. Returns the widgets by control id (static controls
// with id -1 are left out).
std::map<int, wxWindow*> BuildControls(wxDialog* dialog, const DialogTemplate& tmpl,
                                       const UpDownCtrl::DeltaHandler& onUpDownDelta);

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
