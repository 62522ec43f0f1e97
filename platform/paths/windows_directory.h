// The Windows directory of the Wine prefix the game runs in.
#pragma once

#include "platform/wintypes.h"

#ifndef _WIN32
// Copies the Windows directory, as a Windows path without a trailing
// backslash, into `buffer`. Returns its length without the terminator; when it
// does not fit in `size` characters, leaves `buffer` untouched and returns the
// size needed, terminator included. Returns 0 on failure.
UINT GetWindowsDirectoryA(LPSTR buffer, UINT size);
#endif
