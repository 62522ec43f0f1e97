// The buffer every text is read into from the platform (profile values, the
// Windows directory): 100 characters, so a text has at most 99.
#pragma once

#include "platform/wintypes.h"

inline constexpr DWORD kBufferSize = 100;
