// Which file a program start takes for a Windows path, on this system.
#include "platform/paths/host_path.h"
#include "platform/process/start_program.h"

#include <sys/stat.h>

namespace kvn {
namespace {

bool IsRegularFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

} // namespace

std::string ResolveProgramPath(std::string_view windowsPath) {
    std::string path(windowsPath);
    if (path.find_first_of("\\/:") == std::string::npos)
        path.insert(0, ".\\");

    std::size_t nameStart = path.find_last_of("\\/");
    if (nameStart == std::string::npos)
        nameStart = path.find(':');
    std::string_view name = std::string_view(path).substr(nameStart + 1);

    if (name.find('.') != std::string_view::npos) {
        std::string host = ToHostPath(path);
        return IsRegularFile(host) ? host : std::string();
    }
    for (const char* extension : {".com", ".exe", ".bat", ".cmd"}) {
        std::string host = ToHostPath(path + extension);
        if (IsRegularFile(host))
            return host;
    }
    return {};
}

} // namespace kvn
