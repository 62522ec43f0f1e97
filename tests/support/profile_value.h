// Test helper: a profile value as a reader gets it.
#pragma once

#include <string>

#include "platform/wintypes.h"

namespace kvn::test {

// Returned for a file, section or key that is missing.
inline constexpr const char* kMissing = "(missing)";

// The value of `key` in `section` of `file`, read into a buffer of `size`
// characters, or kMissing.
std::string ProfileValue(const std::string& file, const char* section, const char* key,
                         DWORD size = 100);

} // namespace kvn::test
