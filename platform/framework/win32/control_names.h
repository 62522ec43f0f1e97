// Names for screen readers where the platform finds none.
#pragma once

#include "platform/wintypes.h"

namespace kvn {

// Screen readers on Windows name an edit by the static text just before it
// in z-order; the memory box follows a radio button instead. Each edit
// without such a label gets a hidden one carrying the caption of the control
// before it, mnemonic marks taken out.
void LabelEditsForScreenReaders(HWND dialog);

} // namespace kvn
