// Text encodings of profile files: 8-bit ANSI (Windows-1252), UTF-8 with a
// byte-order mark, and UTF-16 (either byte order) with a byte-order mark.
//
// The parser works on 8-bit text in which ASCII keeps its meaning: ANSI files
// as they are, UTF-8 files without their mark, UTF-16 files converted to UTF-8
// (unpaired surrogates kept as three-byte sequences, so that the conversion
// back gives the same bytes). Callers speak ANSI.
#pragma once

#include <string>
#include <string_view>

namespace kvn::profile {

enum class TextEncoding { Ansi, Utf8, Utf16Le, Utf16Be };

struct DecodedText {
    TextEncoding encoding = TextEncoding::Ansi;
    std::string text;    // what the parser sees
    std::string oddByte; // a UTF-16 file's incomplete last code unit, kept as is
};

// Splits off the byte-order mark and converts the rest for the parser. A file
// without a mark is ANSI, even when it looks like UTF-16.
DecodedText DecodeFileText(std::string bytes);

// The file's bytes for `text` in `encoding`, mark included.
std::string EncodeFileText(std::string_view text, TextEncoding encoding, std::string_view oddByte);

// ANSI text from a caller -> the parser's text for a file in `encoding`.
std::string AnsiToFileText(std::string_view ansi, TextEncoding encoding);

// The parser's text -> ANSI for a caller; characters that Windows-1252 lacks
// become '?'.
std::string FileTextToAnsi(std::string_view text, TextEncoding encoding);

// True when the bytes of a file without a byte-order mark are plainly not
// 8-bit text (UTF-16 without its mark, binary data): many NUL and control
// bytes. Such a file is never written to.
bool LooksBinary(std::string_view bytes);

} // namespace kvn::profile
