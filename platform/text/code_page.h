// The player's ANSI code page, in which 8-bit text of profile files and of
// the A functions is written: on Windows the system's; on Linux the one Wine
// gives a Windows program for the player's locale (see locale_code_page.h),
// so that this program and the game under Wine read the same bytes alike.
#pragma once

#include <string>
#include <string_view>

namespace kvn {

// Its number: 1252, 1251, 932, ...
unsigned AnsiCodePage();

// Whether `byte` starts a two-byte character in `codePage` (only 932, 936,
// 949 and 950 have such bytes).
bool IsLeadByte(unsigned codePage, unsigned char byte);

// Text in `codePage` -> UTF-8. On Linux a byte the code page leaves
// undefined (or a lead byte without its second byte) becomes the C1 control
// of the same value for 0x80 to 0x9F, as on Windows, and U+FFFD otherwise.
std::string CodePageToUtf8(std::string_view bytes, unsigned codePage);

#ifndef _WIN32
// UTF-8 -> text in `codePage`. A character the code page lacks becomes its
// best fit (best_fit.h), or '?' when there is none; so does malformed UTF-8.
std::string Utf8ToCodePage(std::string_view utf8, unsigned codePage);
#endif

} // namespace kvn
