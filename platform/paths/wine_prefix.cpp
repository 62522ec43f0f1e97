#include "platform/paths/wine_prefix.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "platform/paths/host_folders.h"
#include "platform/paths/steam_library.h"

namespace kvn {
namespace {

std::string WithoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

bool HasDotComponent(const std::string& path) {
    for (std::size_t start = 0; start < path.size();) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        const std::string_view part(path.data() + start, end - start);
        if (part == "." || part == "..")
            return true;
        start = end + 1;
    }
    return false;
}

// The current folder as the shell names it ($PWD, which keeps the symbolic
// links it was reached through) when that is the current folder, then as it
// is on disk when that differs.
std::vector<std::string> CurrentFolders() {
    std::vector<std::string> folders;
    // Empty when the folder has no path (removed, or "(unreachable)").
    std::string physical;
    for (std::vector<char> buffer(4096); buffer.size() <= (1u << 20);
         buffer.resize(buffer.size() * 2)) {
        if (::getcwd(buffer.data(), buffer.size()) != nullptr) {
            if (buffer[0] == '/')
                physical = buffer.data();
            break;
        }
        if (errno != ERANGE)
            break;
    }
    if (const char* pwd = std::getenv("PWD"); pwd && pwd[0] == '/') {
        const std::string logical = WithoutTrailingSlashes(pwd);
        struct stat here {
        }, there{};
        if (logical != physical && !HasDotComponent(logical) && ::stat(".", &here) == 0 &&
            ::stat(logical.c_str(), &there) == 0 && here.st_dev == there.st_dev &&
            here.st_ino == there.st_ino)
            folders.push_back(logical);
    }
    if (!physical.empty())
        folders.push_back(WithoutTrailingSlashes(physical));
    return folders;
}

// The nearest folder at or above `dir` that holds system.reg and drive_c.
std::string EnclosingPrefix(const std::string& dir) {
    for (std::string folder = dir;; folder = ParentOf(folder)) {
        if (IsRegularFile(folder + "/system.reg") && IsDirectory(folder + "/drive_c"))
            return folder.empty() ? "/" : folder;
        if (folder.empty())
            return {};
    }
}

// <library>/steamapps/compatdata/<appid> when `prefix` is its pfx.
std::string CompatDataOf(const std::string& prefix) {
    const std::size_t slash = prefix.find_last_of('/');
    if (slash == std::string::npos || prefix.compare(slash, std::string::npos, "/pfx") != 0)
        return {};
    const std::string compatData = prefix.substr(0, slash);
    const std::string compat = ParentOf(compatData);
    return compat.size() > 11 && compat.compare(compat.size() - 11, 11, "/compatdata") == 0
               ? compatData
               : std::string();
}

} // namespace

GamePrefix FindGamePrefix() {
    GamePrefix found;
    if (const char* env = std::getenv("WINEPREFIX"); env && *env) {
        found = {WithoutTrailingSlashes(env), PrefixOrigin::Given, {}};
    } else {
        const std::vector<std::string> folders = CurrentFolders();
        for (const std::string& dir : folders)
            if (found.path.empty())
                found = {EnclosingPrefix(dir), PrefixOrigin::Folder, {}};
        for (const std::string& dir : folders)
            if (found.path.empty())
                found = {SteamGamePrefix(dir), PrefixOrigin::Steam, {}};
        if (found.path.empty()) {
            found = {};
            if (const char* home = std::getenv("HOME"); home && *home)
                found = {WithoutTrailingSlashes(std::string(home) + "/.wine"),
                         PrefixOrigin::Default,
                         {}};
        }
    }
    found.compatData = CompatDataOf(found.path);
    return found;
}

std::string WinePrefix() {
    return FindGamePrefix().path;
}

} // namespace kvn
