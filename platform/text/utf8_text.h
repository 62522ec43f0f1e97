// UTF-8: the checks shared by the profile reads and the display conversion,
// the encoder and a lenient decoder.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kvn {

// True when `text` is well-formed UTF-8 (plain ASCII included): no overlong
// forms, surrogates or values beyond U+10FFFF.
bool IsUtf8(std::string_view text);

// How many bytes of `text` to keep when it must be cut to `limit` bytes: the
// limit, or less when `text` is UTF-8 and the limit falls inside a character,
// which is then dropped whole.
std::size_t Utf8CutLength(std::string_view text, std::size_t limit);

// Appends the UTF-8 bytes of `cp` (surrogates too, as three bytes).
void AppendUtf8(std::string& out, char32_t cp);

// Decodes the character at `pos` of `text` (pos < text.size()) and moves
// `pos` past it. Surrogates encoded as three bytes are accepted, so that
// UTF-16 text round-trips; a malformed sequence gives U+FFFD.
char32_t NextUtf8(std::string_view text, std::size_t& pos);

} // namespace kvn
