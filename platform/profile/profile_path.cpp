#include "platform/profile/profile_path.h"

#include <cstring>

#include "platform/paths/host_path.h"
#include "platform/paths/windows_directory.h"

namespace kvn::profile {

std::string ProfileHostPath(const char* fileName) {
    if (fileName == nullptr || *fileName == '\0')
        return {};
    if (std::strpbrk(fileName, "\\/") != nullptr)
        return kvn::ToHostPath(fileName);
    char directory[4096];
    const UINT length = GetWindowsDirectoryA(directory, sizeof directory);
    if (length == 0 || length >= sizeof directory)
        return {};
    std::string path(directory, length);
    path += '\\';
    path += fileName;
    return kvn::ToHostPath(path);
}

} // namespace kvn::profile
