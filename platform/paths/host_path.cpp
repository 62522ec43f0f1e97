#include "platform/paths/host_path.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace kvn {
namespace {

bool Exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
               return lower(x) == lower(y);
           });
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

} // namespace

std::string ToHostPath(std::string_view windowsPath) {
    std::string text(windowsPath);
    std::replace(text.begin(), text.end(), '\\', '/');

    std::string result;
    std::size_t pos = 0;
    if (!text.empty() && text[0] == '/') {
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
