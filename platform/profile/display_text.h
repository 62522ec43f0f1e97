// Profile values read for display, such as control captions. Our own
// addition beside the Windows profile functions, on every platform.
#pragma once

#include "platform/wintypes.h"

// GetPrivateProfileStringA for text that is shown rather than interpreted,
// such as every caption of a dialog, from one file: the same value, but a
// file with a byte-order mark (UTF-8 or UTF-16) gives it in UTF-8, so that no
// character is lost to the ANSI code page, and a cut to `size - 1` bytes
// never splits a character, whether UTF-8 or double-byte
// (platform/text/ansi_text.h). An ANSI file gives its own bytes, as
// GetPrivateProfileStringA does; AnsiToUtf8 makes them text to show. On
// Windows the file's byte-order mark is looked at once, when the reader is
// made, instead of for every value.
class ProfileDisplayReader {
  public:
    explicit ProfileDisplayReader(LPCSTR fileName);
    DWORD Read(LPCSTR section, LPCSTR key, LPCSTR def, LPSTR buffer, DWORD size) const;

  private:
    LPCSTR fileName_;
#ifdef _WIN32
    bool marked_; // the file starts with a byte-order mark
#endif
};
