#include "platform/profile/key_lookup.h"

#include <cstring>

#include "platform/text/ascii_case.h"

namespace kvn::profile {
namespace {

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// The header line of the first section named `section`.
// Only a '[' that starts a line (after blanks) can open a header, so the
// search jumps from one '[' to the next instead of reading every line.
bool FindSectionHeader(std::string_view text, std::string_view section, Line& header) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        const void* hit = std::memchr(text.data() + pos, '[', text.size() - pos);
        if (hit == nullptr)
            return false;
        const auto bracket = static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
        pos = bracket + 1;
        std::size_t start = bracket;
        while (start > 0 && IsProfileSpace(text[start - 1]) && !IsLineEnd(text[start - 1]))
            --start;
        if (start > 0 && !IsLineEnd(text[start - 1]))
            continue; // inside a line
        std::size_t end = bracket;
        while (end < text.size() && !IsLineEnd(text[end]))
            ++end;
        const Line line{start, end, end + EndingAt(text, end).size()};
        const ParsedLine parsed = ParseLine(text, line);
        if (parsed.kind == LineKind::Section && EqualsIgnoringAsciiCase(parsed.name, section)) {
            header = line;
            return true;
        }
        pos = line.next;
    }
    return false;
}

} // namespace

KeyLookup FindKey(std::string_view text, std::string_view section, std::string_view key) {
    KeyLookup result;
    std::size_t bodyStart = 0;
    if (!section.empty()) {
        Line header;
        if (!FindSectionHeader(text, section, header))
            return result;
        result.hasLastLine = true;
        result.lastLine = header;
        bodyStart = header.next;
    }
    result.sectionFound = true;

    LineScanner scanner(text, bodyStart);
    Line line;
    while (scanner.Next(line)) {
        const ParsedLine parsed = ParseLine(text, line);
        if (parsed.kind == LineKind::Section)
            break; // the section ends here
        if (parsed.kind == LineKind::Blank)
            continue;
        if (EqualsIgnoringAsciiCase(parsed.name, key)) {
            result.keyFound = true;
            result.keyLine = line;
            result.parsed = parsed;
            return result;
        }
        result.hasLastLine = true;
        result.lastLine = line;
    }
    return result;
}

} // namespace kvn::profile
