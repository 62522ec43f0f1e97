// Small questions about paths of this system, for the prefix search and the
// tool start.
#pragma once

#include <sys/stat.h>

#include <string>

namespace kvn {

// The folder above `path` ("" above a top-level folder, or for a bare name).
inline std::string ParentOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == 0 || slash == std::string::npos ? "" : path.substr(0, slash);
}

inline bool IsDirectory(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

inline bool IsRegularFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

} // namespace kvn
