// Text encodings of profile files: 8-bit ANSI (the player's code page,
// platform/text/code_page.h), UTF-8 with a byte-order mark, and UTF-16
// (either byte order) with a byte-order mark.
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

// A file's bytes split for the parser. The views point into the file's
// bytes, which must outlive this.
struct DecodedText {
    TextEncoding encoding = TextEncoding::Ansi;
    std::string_view mark; // the byte-order mark as found
    std::string_view body; // the bytes after it
    std::string utf8;      // UTF-16 files: the body converted to UTF-8
    std::string_view odd;  // UTF-16 files: an incomplete last code unit
    bool utf16() const {
        return encoding == TextEncoding::Utf16Le || encoding == TextEncoding::Utf16Be;
    }
    // What the parser sees.
    std::string_view text() const { return utf16() ? std::string_view(utf8) : body; }
};

// Splits off the byte-order mark and converts a UTF-16 body. A file without
// a mark is ANSI, even when it looks like UTF-16.
DecodedText DecodeFileText(std::string_view bytes);

// A UTF-16 file's bytes for parser text: the mark of `like`, the text in its
// byte order, and its incomplete last code unit.
std::string EncodeUtf16File(std::string_view text, const DecodedText& like);

// ANSI text from a caller -> the parser's text for a file in `encoding`.
std::string AnsiToFileText(std::string_view ansi, TextEncoding encoding);

// The parser's text -> ANSI for a caller; characters that the code page
// lacks become their best fit, as on Windows (U+0101 "a"), or '?'.
std::string FileTextToAnsi(std::string_view text, TextEncoding encoding);

// True when the bytes of a file without a byte-order mark are plainly UTF-16
// text: its first line break is a UTF-16 CR or LF (a NUL beside it, on the
// side of its code unit). Such a file reads as 8-bit text with NUL bytes, and
// is never written to: lines of 8-bit text added to it would be misread.
bool LooksLikeUtf16(std::string_view bytes);

} // namespace kvn::profile
