#include "platform/paths/wine_prefix.h"

#include <cstdlib>

namespace kvn {

std::string WinePrefix() {
    std::string prefix;
    if (const char* env = std::getenv("WINEPREFIX"); env && *env)
        prefix = env;
    else if (const char* home = std::getenv("HOME"); home && *home)
        prefix = std::string(home) + "/.wine";
    while (prefix.size() > 1 && prefix.back() == '/')
        prefix.pop_back();
    return prefix;
}

} // namespace kvn
