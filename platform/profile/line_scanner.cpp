#include "platform/profile/line_scanner.h"

#include <algorithm>
#include <cstring>

namespace kvn::profile {

LineScanner::LineScanner(std::string_view text, std::size_t start)
    : text_(text), pos_(start), nextCr_(Find('\r', start)), nextLf_(Find('\n', start)) {}

std::size_t LineScanner::Find(char c, std::size_t from) const {
    if (from >= text_.size())
        return text_.size();
    const void* hit = std::memchr(text_.data() + from, c, text_.size() - from);
    return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text_.data())
               : text_.size();
}

bool LineScanner::Next(Line& line) {
    if (pos_ >= text_.size())
        return false;
    if (nextCr_ < pos_)
        nextCr_ = Find('\r', pos_);
    if (nextLf_ < pos_)
        nextLf_ = Find('\n', pos_);
    const std::size_t end = std::min(nextCr_, nextLf_);
    const std::size_t next = end + EndingAt(text_, end).size();
    line = Line{pos_, end, next};
    pos_ = next;
    return true;
}

std::string_view EndingAt(std::string_view text, std::size_t pos) {
    if (pos >= text.size() || (text[pos] != '\r' && text[pos] != '\n'))
        return {};
    const char other = text[pos] == '\r' ? '\n' : '\r';
    return text.substr(pos, pos + 1 < text.size() && text[pos + 1] == other ? 2 : 1);
}

std::string_view LastEndingBefore(std::string_view text, std::size_t pos) {
    std::size_t last = pos;
    while (last > 0 && text[last - 1] != '\r' && text[last - 1] != '\n')
        --last;
    if (last == 0)
        return {};
    // Read the run of line-break bytes that ends there from its start, as the
    // scanner pairs them: in "\r\n\r" the last ending is "\r", not "\n\r".
    const std::size_t end = last;
    std::size_t i = end - 1;
    while (i > 0 && (text[i - 1] == '\r' || text[i - 1] == '\n'))
        --i;
    std::string_view ending;
    while (i < end) {
        ending = EndingAt(text, i).substr(0, end - i);
        i += ending.size();
    }
    return ending;
}

std::string_view TrimLeft(std::string_view s) {
    std::size_t b = 0;
    while (b < s.size() && IsProfileSpace(s[b]))
        ++b;
    return s.substr(b);
}

std::string_view Trim(std::string_view s) {
    s = TrimLeft(s);
    std::size_t e = s.size();
    while (e > 0 && IsProfileSpace(s[e - 1]))
        --e;
    return s.substr(0, e);
}

std::string_view CutAtNul(std::string_view s) {
    const std::size_t nul = s.find('\0');
    return nul == std::string_view::npos ? s : s.substr(0, nul);
}

ParsedLine ParseLine(std::string_view text, const Line& line) {
    ParsedLine parsed;
    std::size_t b = line.begin;
    std::size_t e = line.end;
    while (b < e && IsProfileSpace(text[b]))
        ++b;
    while (e > b && IsProfileSpace(text[e - 1]))
        --e;
    // Readers see a line only up to a NUL byte, so a line that is blank
    // before its NUL is a blank line.
    if (b == e || Trim(CutAtNul(text.substr(b, e - b))).empty())
        return parsed;

    const std::string_view content = text.substr(b, e - b);
    if (content[0] == '[') {
        const std::size_t close = content.rfind(']');
        if (close != std::string_view::npos && close > 0) {
            parsed.kind = LineKind::Section;
            parsed.name = CutAtNul(Trim(content.substr(1, close - 1)));
            return parsed;
        }
    }
    parsed.kind = LineKind::Key;
    const std::size_t eq = content.find('=');
    if (eq == std::string_view::npos) {
        parsed.name = CutAtNul(content);
        return parsed;
    }
    parsed.name = CutAtNul(Trim(content.substr(0, eq)));
    parsed.hasValue = true;
    std::size_t vb = b + eq + 1;
    while (vb < e && IsProfileSpace(text[vb]))
        ++vb;
    parsed.valueBegin = vb;
    parsed.valueEnd = e;
    return parsed;
}

std::string_view ValueText(std::string_view text, const ParsedLine& parsed) {
    return Trim(CutAtNul(text.substr(parsed.valueBegin, parsed.valueEnd - parsed.valueBegin)));
}

std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        return value.substr(1, value.size() - 2);
    return value;
}

} // namespace kvn::profile
