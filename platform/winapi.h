// The part of the Windows API that the program calls. On Windows it is the
// system's own <windows.h>; elsewhere platform/ provides the same functions
// with the same signatures and behaviour.
#pragma once

#include "platform/paths/windows_directory.h"
#include "platform/profile/profile.h"
#include "platform/wintypes.h"
