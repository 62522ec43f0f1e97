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

} // namespace kvn
