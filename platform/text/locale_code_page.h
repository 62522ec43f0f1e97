// The ANSI code page of a POSIX locale: the Windows default code page of
// the locale's language (and script or territory, where they decide it), as
// Wine gives it to the programs it runs in that locale.
#pragma once

#include <string_view>

namespace kvn {

// The code page of the locale `name` (language[_territory][.codeset][@modifier],
// such as "ru_RU.UTF-8" or "sr_RS@latin"): one of 1250 to 1258, 874, 932,
// 936, 949 and 950, or 1252 for every other locale, C and POSIX included.
// The codeset does not count: Windows has one 8-bit code page per language.
unsigned CodePageOfLocale(std::string_view name);

// The locale the C library takes character types from: the first non-empty
// of LC_ALL, LC_CTYPE and LANG, or "" when none is set.
std::string_view CharacterLocale();

} // namespace kvn
