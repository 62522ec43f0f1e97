#include "platform/paths/windows_directory.h"

#include <cstdlib>
#include <cstring>
#include <string>

// Wine keeps a prefix's Windows directory at drive_c/windows; the prefix is
// $WINEPREFIX, or ~/.wine when that is unset.
UINT GetWindowsDirectoryA(LPSTR buffer, UINT size) {
    std::string dir;
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix && *prefix) {
        dir = prefix;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        dir = std::string(home) + "/.wine";
    } else {
        return 0;
    }
    while (dir.size() > 1 && dir.back() == '/')
        dir.pop_back();
    dir += "/drive_c/windows";

    const auto needed = static_cast<UINT>(dir.size() + 1);
    if (buffer == nullptr || size < needed)
        return needed;
    std::memcpy(buffer, dir.c_str(), needed);
    return needed - 1;
}
