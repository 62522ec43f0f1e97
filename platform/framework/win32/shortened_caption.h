// Captions still too long for their control after the dialog has widened:
// shown cut with "…", the whole caption kept for the program, the tooltip and
// screen readers.
#pragma once

#include <string>

#include "platform/wintypes.h"

namespace kvn {

// Shows the caption of `control` cut at its end with "…" where it needs more
// than `room` pixels in the control's font (mnemonic marks take no room; a
// mnemonic stays while its letter is shown), with the whole caption as the
// control's tooltip and accessible name. Captions set later are shortened to
// the same room. A `room` below 0 shows the caption whole again.
void ShortenCaption(HWND control, int room);

// The program's own tooltip for `control` (empty: none), shown after the
// whole caption while that is shortened; a group box's covers the whole box.
void SetOwnToolTip(HWND control, const std::wstring& text);

// Makes the dialog's tooltip and gives it the tooltips set so far; until
// then they are only kept. Making a tooltip window takes as long as a tenth
// of the dialog's start, so the dialog does it once it has been drawn.
void ShowToolTips(HWND dialog);
// Lets go of the dialog's tooltip as the dialog is destroyed.
void ForgetToolTips(HWND dialog);

// The caption last set on `control`, whole even where it is shown shortened.
std::wstring WholeCaption(HWND control);

} // namespace kvn
