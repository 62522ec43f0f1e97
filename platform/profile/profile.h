// Profile (INI) file functions with the Windows signatures and semantics.
// `fileName` is Windows path text; a bare file name is in the Windows
// directory. Listing sections or keys and deleting them (NULL arguments) are
// not provided: reads give the default, writes fail.
#pragma once

#include "platform/wintypes.h"

#ifndef _WIN32

// Copies the value of `key` in `section` (or `def` when the file, section or
// key is missing) into `buffer`, cut to `size - 1` characters and terminated.
// Returns the number of characters copied, without the terminator.
DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR def, LPSTR buffer, DWORD size,
                               LPCSTR fileName);

// The value of `key` read as a decimal number (hexadecimal, octal or binary
// after a lower-case 0x, 0o or 0b), or `def` when the key is missing or empty.
UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT def, LPCSTR fileName);

// Replaces the value of `key` in `section`, adding the key, the section or the
// file when missing. Only that line changes (or one line is added); the file
// is replaced atomically and not at all when the value is already stored. A
// line break ends the value. Never creates a folder. Returns nonzero on
// success; on failure errno says why (EACCES, ENOENT, ENOSPC, ... from the
// system; EILSEQ for a UTF-16 file without a byte-order mark, EFBIG for a
// file too large to read, EINVAL for a key or section that would not read
// back as itself).
BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName);
#endif
