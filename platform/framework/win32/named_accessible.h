// What a screen reader reads for a control whose caption is shown shortened.
#pragma once

#include <string>

#include "platform/wintypes.h"

namespace kvn {

// Answers WM_GETOBJECT for `control`'s client area (OBJID_CLIENT) with the
// platform's standard accessible object, named `name` instead of the text the
// control shows. `flags` is the message's WPARAM. Returns the message's
// result, or 0 when the control's own handling should answer.
LRESULT AnswerWithName(HWND control, WPARAM flags, const std::wstring& name);

} // namespace kvn
