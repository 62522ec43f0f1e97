// Texts from profile files are bytes in the Windows ANSI code page; widgets
// want UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace kvn {

// `text` unchanged when it is valid UTF-8 (plain ASCII included), otherwise
// decoded as Windows-1252. Bytes that code page leaves undefined map to the
// C1 control characters of the same value, as Windows does.
std::string AnsiToUtf8(std::string_view text);

} // namespace kvn
