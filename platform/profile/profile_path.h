// Which file on this system a profile function's file argument names.
#pragma once

#include <string>

namespace kvn::profile {

// A bare file name (no "\" or "/") is in the Windows directory, as on Windows;
// anything else is Windows path text mapped by kvn::ToHostPath. Empty when
// there is no file to use.
std::string ProfileHostPath(const char* fileName);

} // namespace kvn::profile
