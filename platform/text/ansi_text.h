// Profile-file text for display: widgets want UTF-8, and the bytes are UTF-8
// or in the player's ANSI code page (code_page.h).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kvn {

// `text` unchanged when it is valid UTF-8 (plain ASCII included), otherwise
// decoded from the player's ANSI code page. Translators save UTF-8 without a
// byte-order mark; players' translations are in their own code page.
std::string AnsiToUtf8(std::string_view text);

// How many bytes of `text` to keep when it must be cut to `limit` bytes
// without leaving half a character: a UTF-8 character (when `text` is UTF-8)
// or a double-byte character of the ANSI code page that the limit falls
// inside is dropped whole.
std::size_t TextCutLength(std::string_view text, std::size_t limit);

} // namespace kvn
