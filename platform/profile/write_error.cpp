#include "platform/profile/write_error.h"

#include <cerrno>

#include "platform/wintypes.h"

int LastWriteError() {
#ifdef _WIN32
    return static_cast<int>(::GetLastError());
#else
    return errno;
#endif
}
