// The template's pictures, drawn to fill their place at the dialog's DPI.
#pragma once

#include <span>

#include "platform/framework/dialog_template.h"
#include "platform/wintypes.h"

namespace kvn {

// Gives each picture control of `dialog` its bitmap resource, scaled
// smoothly to fill the control (CropToFill) unless it already fits within a
// pixel or two (ShowsAsDrawn). `controls` is the template
// the dialog was built from, whose controls are the dialog's first windows in
// z-order. Call again after a DPI change has resized the controls.
void ShowPictures(HWND dialog, std::span<const ControlTemplate> controls);

// Takes the bitmaps back from the picture controls and deletes them: the
// controls do not delete bitmaps that they were given.
void ReleasePictures(HWND dialog, std::span<const ControlTemplate> controls);

} // namespace kvn
