// Names for screen readers where the platform finds none.
#pragma once

#include <string>
#include <string_view>

#include "platform/wintypes.h"

namespace kvn {

// A caption as the control draws it and screen readers read it: "&x" shows
// "x" and "&&" shows "&".
std::wstring Unmarked(std::wstring_view caption);

// Screen readers on Windows name an edit by the static text just before it
// in z-order; the memory box follows a radio button instead. Each edit
// without such a label gets a hidden one carrying the caption of the control
// before it, mnemonic marks taken out.
void LabelEditsForScreenReaders(HWND dialog);

} // namespace kvn
