// Windows path text -> a path on this system.
#pragma once

#include <string>
#include <string_view>

namespace kvn {

// Maps a Windows path as the program writes it to the file it names here:
// "\" separates directories like "/", a leading ".\" is the current
// directory, and a component that does not exist with the exact spelling is
// matched without regard to ASCII case among its directory's entries, as Wine
// does. A drive letter ("C:\", "z:\") stands for the folder that the Wine
// prefix's dosdevices maps it to; a letter without a mapping names no file,
// and the result is then empty. Components that match nothing are kept as
// written, so the result also names files that do not exist yet.
#ifdef _WIN32
// On Windows a Windows path is the host path.
inline std::string ToHostPath(std::string_view windowsPath) {
    return std::string(windowsPath);
}
#else
std::string ToHostPath(std::string_view windowsPath);
#endif

} // namespace kvn
