// UTF-8: the checks shared by the profile reads and the display conversion,
// and the encoder.
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

} // namespace kvn
