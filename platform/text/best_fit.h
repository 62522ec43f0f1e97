// What Windows puts in place of a character that a code page lacks when it
// converts from Unicode ("best fit"): a look-alike ASCII character.
#pragma once

namespace kvn {

// The best fit of `c` in `codePage`, or '?' when it has none. A full-width
// ASCII character becomes the ASCII character; a Latin letter with a
// diacritic the bare letter (U+0101 "a") in the European code pages 1250 to
// 1254, and in the East Asian ones for Latin-1 letters; a fixed-width space
// (U+2000 to U+2006, U+3000) a space in 1250, 1252 and 1254. That is where
// Windows does so; its own tables hold more.
char BestFit(char32_t c, unsigned codePage);

} // namespace kvn
