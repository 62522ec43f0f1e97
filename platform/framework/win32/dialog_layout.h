// Sizes a dialog to its final captions and keeps it on the screen.
#pragma once

#include "platform/wintypes.h"

namespace kvn {

// Widens the controls whose captions do not fit, and the dialog with them,
// by the core's widening rule, within the work area, and shortens the
// captions that still do not fit.
void FitToCaptions(HWND dialog);

// Centres the dialog in the work area of its monitor.
void PlaceOnScreen(HWND dialog);

} // namespace kvn
