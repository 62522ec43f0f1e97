#include "platform/text/ansi_text.h"

#include "platform/text/code_page.h"
#include "platform/text/utf8_text.h"

namespace kvn {

std::string AnsiToUtf8(std::string_view text) {
    if (IsUtf8(text))
        return std::string(text);
    return CodePageToUtf8(text, AnsiCodePage());
}

std::size_t TextCutLength(std::string_view text, std::size_t limit) {
    if (limit >= text.size())
        return text.size();
    if (IsUtf8(text))
        return Utf8CutLength(text, limit);
    // Walk from the start: a second byte may look like a lead byte.
    const unsigned codePage = AnsiCodePage();
    std::size_t kept = 0;
    while (kept < limit) {
        const std::size_t width =
            IsLeadByte(codePage, static_cast<unsigned char>(text[kept])) ? 2 : 1;
        if (kept + width > limit)
            break;
        kept += width;
    }
    return kept;
}

} // namespace kvn
