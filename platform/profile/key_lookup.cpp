#include "platform/profile/key_lookup.h"

namespace kvn::profile {
namespace {

// True when the line's first non-blank character is '[': only such lines can
// be headers, so other lines outside the wanted section need no parsing.
bool MayBeHeader(std::string_view text, const Line& line) {
    for (std::size_t i = line.begin; i < line.end; ++i) {
        if (!IsProfileSpace(text[i]))
            return text[i] == '[';
    }
    return false;
}

} // namespace

KeyLookup FindKey(std::string_view text, std::string_view section, std::string_view key) {
    KeyLookup result;
    bool inSection = section.empty(); // the part before the first header
    result.sectionFound = inSection;

    LineScanner scanner(text);
    Line line;
    while (scanner.Next(line)) {
        if (line.next > line.end)
            result.lastEnding = text.substr(line.end, line.next - line.end);
        if (!inSection && !MayBeHeader(text, line))
            continue;
        const ParsedLine parsed = ParseLine(text, line);
        if (parsed.kind == LineKind::Section) {
            if (inSection)
                break; // the section ends here
            if (!result.sectionFound && NamesEqual(parsed.name, section)) {
                inSection = result.sectionFound = true;
                result.hasLastLine = true;
                result.lastLine = line;
            }
            continue;
        }
        if (!inSection || parsed.kind == LineKind::Blank)
            continue;
        if (NamesEqual(parsed.name, key)) {
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
