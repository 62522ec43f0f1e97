// Placeholder until the profile-file implementation lands: every read gives
// its default and every write fails.
#include "platform/profile/profile.h"

#include <cstring>

DWORD GetPrivateProfileStringA(LPCSTR, LPCSTR, LPCSTR def, LPSTR buffer, DWORD size, LPCSTR) {
    if (size == 0)
        return 0;
    const char* text = def ? def : "";
    DWORD n = static_cast<DWORD>(std::strlen(text));
    if (n > size - 1)
        n = size - 1;
    std::memcpy(buffer, text, n);
    buffer[n] = '\0';
    return n;
}

UINT GetPrivateProfileIntA(LPCSTR, LPCSTR, INT def, LPCSTR) {
    return static_cast<UINT>(def);
}

BOOL WritePrivateProfileStringA(LPCSTR, LPCSTR, LPCSTR, LPCSTR) {
    return FALSE;
}
