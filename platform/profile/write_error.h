// Why a profile write failed, in the platform's own terms.
#pragma once

// The reason for the WritePrivateProfileStringA call that just failed: errno
// here, GetLastError() on Windows. Read it before any other call.
int LastWriteError();
