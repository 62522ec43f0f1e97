// The Windows-1252 code page ("ANSI" in profile files) and Unicode.
#pragma once

namespace kvn {

// The character of one Windows-1252 byte. The five bytes the code page leaves
// undefined map to the C1 control of the same number, as Windows does.
char32_t Windows1252ToCodePoint(unsigned char byte);

// The Windows-1252 byte of a character; '?' for characters it lacks.
char CodePointToWindows1252(char32_t cp);

} // namespace kvn
