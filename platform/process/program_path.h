// Which file a program start takes for a Windows path, by the rules of the
// Windows C runtime's spawn functions: the rule itself, on every platform.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kvn {

// The Windows paths a start tries for `windowsPath`, in order; the first that
// names an existing file is started. A path without "\", "/" and ":" is taken
// as ".\" followed by it; the search path is never consulted. When the file
// name (what follows the last "\" or "/", failing both the ":") contains a
// ".", the path itself is the only candidate; otherwise it is followed by
// ".com", ".exe", ".bat" and ".cmd", in that order.
std::vector<std::string> ProgramPathCandidates(std::string_view windowsPath);

// Whether `path` ends in ".bat" or ".cmd", in any letter case: a batch file,
// which the Windows command interpreter runs.
bool IsBatchFile(std::string_view path);

} // namespace kvn
