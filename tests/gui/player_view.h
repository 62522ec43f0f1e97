// What a control's caption shows on screen, read from the toolkit's own
// label: the text without mnemonic marks, and the mnemonic's key.
#pragma once

#include <string>

class wxWindow;

namespace kvn::test {

std::string ShownText(wxWindow* control);
// The mnemonic's key in lower case, or 0 when the caption has none.
unsigned MnemonicKey(wxWindow* control);

} // namespace kvn::test
