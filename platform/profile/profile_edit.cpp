#include "platform/profile/profile_edit.h"

#include "platform/profile/key_lookup.h"
#include "platform/profile/line_scanner.h"
#include "platform/text/ascii_case.h"

namespace kvn::profile {
namespace {

constexpr std::string_view kCrLf = "\r\n";

bool HasLineBreak(std::string_view s) {
    return s.find_first_of("\r\n") != std::string_view::npos;
}

ParsedLine ParseSingleLine(std::string_view line) {
    return ParseLine(line, Line{0, line.size(), line.size()});
}

bool IsKeyLine(std::string_view line, std::string_view key) {
    const ParsedLine parsed = ParseSingleLine(line);
    return parsed.kind == LineKind::Key && parsed.hasValue &&
           EqualsIgnoringAsciiCase(parsed.name, key);
}

std::string_view Or(std::string_view ending, std::string_view fallback) {
    return ending.empty() ? fallback : ending;
}

// The value a reader gets for a stored value text.
std::string_view ReadBack(std::string_view stored) {
    return Unquote(Trim(CutAtNul(stored)));
}

} // namespace

std::optional<TextEdit> PlanWrite(std::string_view text, std::string_view section,
                                  std::string_view key, std::string_view value) {
    if (HasLineBreak(section) || HasLineBreak(key))
        return std::nullopt;
    const std::string_view sectionName = CutAtNul(Trim(section));
    const std::string_view keyName = CutAtNul(Trim(key));
    value = TrimLeft(value);
    value = value.substr(0, value.find_first_of("\r\n"));

    const KeyLookup found = FindKey(text, sectionName, keyName);
    TextEdit edit;
    if (found.keyFound) {
        const ParsedLine& old = found.parsed;
        // Unchanged when a read would give the same text: the stored value as
        // a read returns it (no further trimming), the new one as a read of
        // its line would.
        if (old.hasValue && Unquote(ValueText(text, old)) == ReadBack(value))
            return edit;
        // Keep the line's own layout up to the value: indentation, the key's
        // spelling, the spaces around '='.
        std::string line;
        if (old.hasValue) {
            line = text.substr(found.keyLine.begin, old.valueBegin - found.keyLine.begin);
        } else {
            std::string_view whole =
                text.substr(found.keyLine.begin, found.keyLine.end - found.keyLine.begin);
            while (!whole.empty() && IsProfileSpace(whole.back()))
                whole.remove_suffix(1);
            line = whole;
            line += '=';
        }
        line += value;
        if (!IsKeyLine(line, keyName))
            return std::nullopt;
        // A last line without an ending gains the ending of the line before.
        if (found.keyLine.next == found.keyLine.end)
            line += Or(LastEndingBefore(text, found.keyLine.begin), kCrLf);
        edit.changed = true;
        edit.begin = found.keyLine.begin;
        edit.end = found.keyLine.end;
        edit.replacement = std::move(line);
        return edit;
    }

    std::string keyLine(TrimLeft(key));
    keyLine += '=';
    keyLine += value;
    if (!IsKeyLine(keyLine, keyName))
        return std::nullopt;
    edit.changed = true;

    if (found.sectionFound) {
        if (!found.hasLastLine) {
            // Nothing precedes the first header: the key opens the text, with
            // the ending of the line it comes before.
            edit.replacement = keyLine;
            edit.replacement += Or(EndingAt(text, text.find_first_of("\r\n")), kCrLf);
            return edit;
        }
        const Line& after = found.lastLine;
        if (after.next > after.end) {
            edit.begin = edit.end = after.next;
            edit.replacement = keyLine;
            edit.replacement += text.substr(after.end, after.next - after.end);
        } else {
            // The section's last line ends the text without a line ending:
            // both get the ending of the line before.
            const std::string_view ending = Or(LastEndingBefore(text, after.begin), kCrLf);
            edit.begin = edit.end = after.end;
            edit.replacement = ending;
            edit.replacement += keyLine;
            edit.replacement += ending;
        }
        return edit;
    }

    std::string header = "[";
    header += TrimLeft(section);
    header += ']';
    const ParsedLine parsedHeader = ParseSingleLine(header);
    if (parsedHeader.kind != LineKind::Section ||
        !EqualsIgnoringAsciiCase(parsedHeader.name, sectionName))
        return std::nullopt;
    // A new section goes at the end, in the ending of the last line.
    const std::string_view ending = Or(LastEndingBefore(text, text.size()), kCrLf);
    edit.begin = edit.end = text.size();
    if (!text.empty() && text.back() != '\r' && text.back() != '\n')
        edit.replacement = ending;
    edit.replacement += header;
    edit.replacement += ending;
    edit.replacement += keyLine;
    edit.replacement += ending;
    return edit;
}

std::string ApplyEdit(std::string_view text, const TextEdit& edit) {
    std::string out;
    out.reserve(text.size() - (edit.end - edit.begin) + edit.replacement.size());
    out.append(text.substr(0, edit.begin));
    out.append(edit.replacement);
    out.append(text.substr(edit.end));
    return out;
}

} // namespace kvn::profile
