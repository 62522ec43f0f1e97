// Keyboard behaviour of a dialog beyond the toolkit's, and names for
// controls without a caption of their own.
#pragma once

#include <wx/window.h>

namespace kvn {

// A group box's mnemonic moves the focus to the group's checked choice. Run
// once the captions are final.
void BindGroupMnemonics(wxWindow* dialog);
// The arrow keys wrap round inside a radio group: true when `key` (pressed
// in the focused radio button) was such a wrap and has been handled.
bool WrapRadioGroup(wxWindow* focused, int key);
// Gives the focus to the control nearest before `from` in z-order that can
// take it (after it when none before), as when `from` is disabled.
void HandOnFocus(wxWindow* from);
// Names each edit after the caption of the control before it in z-order, and
// an up-down control after its buddy. Run once the captions are final.
void NameUnlabelledControls(wxWindow* dialog);

} // namespace kvn
