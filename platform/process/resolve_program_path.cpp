// Which file a program start takes for a Windows path, on this system.
#include "platform/paths/host_path.h"
#include "platform/process/program_path.h"
#include "platform/process/start_program.h"

#include <sys/stat.h>

namespace kvn {

std::string ResolveProgramPath(std::string_view windowsPath) {
    for (const std::string& candidate : ProgramPathCandidates(windowsPath)) {
        std::string host = ToHostPath(candidate);
        struct stat st {};
        if (::stat(host.c_str(), &st) == 0 && S_ISREG(st.st_mode))
            return host;
    }
    return {};
}

} // namespace kvn
