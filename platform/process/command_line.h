// Splitting a command line into an argument vector.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kvn {

// Splits `commandLine` as the Windows C runtime builds argv from it. The
// program name ends at the first blank (space or tab) outside double quotes,
// and its quotes are removed. Later arguments are separated by blanks; double
// quotes group blanks and are removed; 2n backslashes before a quote give n
// backslashes, 2n+1 give n and a literal quote; "" inside quotes is a literal
// quote; other backslashes are kept as they are.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

} // namespace kvn
