// Message boxes with the program's name as caption. Tests replace the box
// with a hook to see and answer the messages.
#pragma once

#include <functional>
#include <string>

#include "platform/wintypes.h"

// Shows `text` with an OK button and the icon that `type` names (MB_ICON*),
// titled with the program file's name without folder or extension.
int AfxMessageBox(const char* text, UINT type = MB_OK);

// The caption of message boxes: the program file's name without folder or
// extension.
std::string AfxProgramTitle();

// Replaces the boxes with `hook` (text, type) -> result; an empty function
// brings the real boxes back.
using MessageBoxHook = std::function<int(const std::string& text, UINT type)>;
void AfxSetMessageBoxHook(MessageBoxHook hook);
