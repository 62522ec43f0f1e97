// Turns a dialog template of the program's resources into the platform's
// in-memory extended dialog template (DLGTEMPLATEEX and its items).
#pragma once

#include <vector>

#include "platform/framework/dialog_template.h"
#include "platform/wintypes.h"

namespace kvn {

// The template's bytes, DWORD-aligned as the dialog functions need them.
std::vector<DWORD> BuildDialogTemplate(const DialogTemplate& tmpl);

} // namespace kvn
