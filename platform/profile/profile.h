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

// The value of `key` read as a decimal (or 0x hexadecimal) number, or `def`
// when the key is missing or empty.
UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT def, LPCSTR fileName);

// Replaces the value of `key` in `section`, adding the key, the section or the
// file when missing. Only that line changes (or one line is added); the file
// is replaced atomically and not at all when the value is already stored. A
// line break ends the value. Never creates a folder. Returns nonzero on
// success; on failure errno says why (ENOENT: the folder does not exist,
// EACCES: the file or folder is read-only, ENOSPC: the disk is full, EILSEQ:
// the file is not text that the write could keep intact, ...).
BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName);
#endif
