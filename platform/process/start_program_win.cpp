// Program start on Windows: the C runtime's own spawn, which resolves the
// path and passes the command line verbatim.
#include "platform/process/start_program.h"

#include <process.h>

namespace kvn {

int StartProgramAndWait(const std::string& windowsPath, const std::string& commandLine) {
    return static_cast<int>(::_spawnl(_P_WAIT, windowsPath.c_str(), commandLine.c_str(), nullptr));
}

} // namespace kvn
