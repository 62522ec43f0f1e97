#include "platform/paths/host_path.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/paths/wine_prefix.h"
#include "platform/text/ascii_case.h"

namespace kvn {
namespace {

bool Exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

// The entry of `dir` that matches `name` without regard to case; of several,
// the first in byte order, so that the choice does not depend on the
// directory's internal order.
std::string FindIgnoringCase(const std::string& dir, std::string_view name) {
    std::unique_ptr<DIR, int (*)(DIR*)> d(::opendir(dir.empty() ? "." : dir.c_str()), ::closedir);
    if (!d)
        return {};
    std::string best;
    while (const dirent* e = ::readdir(d.get())) {
        std::string_view entry(e->d_name);
        if (EqualsIgnoringAsciiCase(entry, name) && (best.empty() || entry < best))
            best = entry;
    }
    return best;
}

// The folder that drive `letter` stands for, as Wine maps it: the target of
// the prefix's dosdevices/<letter>: link (dosdevices/c: is normally
// ../drive_c, z: is /), with every link resolved. Empty when the drive has no
// mapping or its folder does not exist.
std::string DriveRoot(char letter) {
    const std::string prefix = WinePrefix();
    if (prefix.empty())
        return {};
    const char drive[] = {AsciiToLower(letter), ':', '\0'};
    const std::string link = prefix + "/dosdevices/" + drive;
    char resolved[PATH_MAX];
    if (::realpath(link.c_str(), resolved) == nullptr)
        return {};
    return resolved;
}

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

} // namespace

std::string ToHostPath(std::string_view windowsPath) {
    std::string text(windowsPath);
    std::replace(text.begin(), text.end(), '\\', '/');

    std::string result;
    std::size_t pos = 0;
    if (text.size() >= 2 && text[1] == ':' && IsAsciiLetter(text[0])) {
        // "C:\Games" and "C:Games" both start at the drive's root.
        result = DriveRoot(text[0]);
        if (result.empty())
            return {};
        pos = 2;
    } else if (!text.empty() && text[0] == '/') {
        result = "/";
        pos = 1;
    }
    bool exact = true; // every component so far exists as spelled
    while (pos <= text.size()) {
        std::size_t end = text.find('/', pos);
        if (end == std::string::npos)
            end = text.size();
        std::string_view part(text.data() + pos, end - pos);
        pos = end + 1;
        if (part.empty() || part == ".") {
            continue;
        }
        std::string dir = result;
        std::string candidate = dir.empty() || dir.back() == '/' ? dir + std::string(part)
                                                                 : dir + "/" + std::string(part);
        if (exact && !Exists(candidate) && part != "..") {
            std::string match = FindIgnoringCase(dir, part);
            if (!match.empty())
                candidate = dir.empty() || dir.back() == '/' ? dir + match : dir + "/" + match;
            else
                exact = false;
        }
        result = std::move(candidate);
    }
    if (result.empty())
        result = ".";
    return result;
}

} // namespace kvn
