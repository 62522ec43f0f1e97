#include "platform/paths/windows_directory.h"

#include <cstring>
#include <string>

#include "platform/paths/wine_prefix.h"

// Wine keeps a prefix's Windows directory at drive_c/windows; the prefix is
// $WINEPREFIX, or ~/.wine when that is unset.
UINT GetWindowsDirectoryA(LPSTR buffer, UINT size) {
    std::string dir = kvn::WinePrefix();
    if (dir.empty())
        return 0;
    dir += "/drive_c/windows";

    const auto needed = static_cast<UINT>(dir.size() + 1);
    if (buffer == nullptr || size < needed)
        return needed;
    std::memcpy(buffer, dir.c_str(), needed);
    return needed - 1;
}
