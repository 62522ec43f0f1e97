#include "platform/text/ansi_text.h"

#include "platform/text/utf8_text.h"
#include "platform/text/windows_1252.h"

namespace kvn {

std::string AnsiToUtf8(std::string_view text) {
    if (IsUtf8(text))
        return std::string(text);
    std::string out;
    out.reserve(text.size() * 2);
    for (char ch : text)
        AppendUtf8(out, Windows1252ToCodePoint(static_cast<unsigned char>(ch)));
    return out;
}

} // namespace kvn
