#include "fuzz/line_diff.h"

#include <algorithm>
#include <cstdio>

namespace kvn::fuzz {

namespace {

using Units = std::vector<std::uint32_t>;
using Lines = std::vector<Units>;

bool IsBreak(std::uint32_t u) {
    return u == '\r' || u == '\n';
}

// The odd last byte of a UTF-16 file.
bool IsOddByte(std::uint32_t u) {
    return u > 0xFFFF;
}

std::uint32_t LowerAscii(std::uint32_t u) {
    return u >= 'A' && u <= 'Z' ? u - 'A' + 'a' : u;
}

// The line's text, which ends at its terminator or at a NUL, without blanks
// at either end.
Units Content(const Units& line) {
    auto end = std::find(line.begin(), line.end(), std::uint32_t{0});
    while (end != line.begin() && IsBreak(end[-1]))
        --end;
    auto begin = line.begin();
    while (begin != end && IsBlank(*begin))
        ++begin;
    while (end != begin && IsBlank(end[-1]))
        --end;
    return {begin, end};
}

bool IsHeader(const Units& line) {
    const Units c = Content(line);
    return !c.empty() && c.front() == '[';
}

// True when `line` is a line of `key`: the text before its first '=' (or the
// whole line), blanks trimmed, equals the key without regard to ASCII case.
bool IsKeyLine(const Units& line, std::string_view key) {
    Units c = Content(line);
    c.erase(std::find(c.begin(), c.end(), std::uint32_t{'='}), c.end());
    while (!c.empty() && IsBlank(c.back()))
        c.pop_back();
    if (c.size() != key.size())
        return false;
    for (std::size_t i = 0; i < c.size(); ++i)
        if (LowerAscii(c[i]) != LowerAscii(static_cast<unsigned char>(key[i])))
            return false;
    return true;
}

bool IsEmptyLine(const Units& line) {
    return std::all_of(line.begin(), line.end(), IsBreak);
}

bool PrintableAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
}

std::size_t CountBreaks(std::string_view text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }));
}

// When `before` ends in an unterminated line and `after` holds that line with
// a terminator added at the same place, takes the terminated spelling so that
// the addition does not count as a change.
void AcceptAddedTerminator(Lines& before, const Lines& after) {
    std::size_t i = before.size();
    if (i > 0 && IsOddByte(before.back().front()))
        --i; // the odd byte of a UTF-16 file stays last
    if (i == 0 || i - 1 >= after.size())
        return;
    Units& last = before[--i];
    if (IsBreak(last.back()))
        return;
    // Still there unterminated further on: lines went in before it instead.
    if (std::find(after.begin() + static_cast<std::ptrdiff_t>(i), after.end(), last) != after.end())
        return;
    const Units& candidate = after[i];
    if (candidate.size() <= last.size() || !std::equal(last.begin(), last.end(), candidate.begin()))
        return;
    const Units tail(candidate.begin() + static_cast<std::ptrdiff_t>(last.size()), candidate.end());
    if (tail == Units{'\r', '\n'} || tail == Units{'\n', '\r'} || tail == Units{'\n'} ||
        tail == Units{'\r'})
        last = candidate;
}

std::string Describe(const Lines& lines, std::size_t from, std::size_t to) {
    std::string out;
    for (std::size_t i = from; i < to && out.size() < 400; ++i) {
        out += "  |";
        for (std::uint32_t u : lines[i]) {
            if (u >= 0x20 && u < 0x7F) {
                out += static_cast<char>(u);
            } else {
                char hex[12];
                std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned>(u));
                out += hex;
            }
        }
        out += "|\n";
    }
    return out;
}

} // namespace

bool IsBlank(std::uint32_t u) {
    return u == ' ' || u == '\t' || u == '\v' || u == '\f' || u == 0x1A;
}

FileUnits ToUnits(const std::string& bytes) {
    FileUnits f;
    const auto b = [&](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i]));
    };
    if (bytes.size() >= 2 && b(0) == 0xFF && b(1) == 0xFE)
        f.encoding = FileUnits::Utf16Le;
    else if (bytes.size() >= 2 && b(0) == 0xFE && b(1) == 0xFF)
        f.encoding = FileUnits::Utf16Be;
    if (f.encoding == FileUnits::Bytes) {
        for (std::size_t i = 0; i < bytes.size(); ++i)
            f.units.push_back(b(i));
        return f;
    }
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2)
        f.units.push_back(f.encoding == FileUnits::Utf16Le ? b(i) | b(i + 1) << 8
                                                           : b(i) << 8 | b(i + 1));
    if (i < bytes.size())
        f.units.push_back(0x10000 | b(i));
    return f;
}

Lines SplitLines(const Units& units) {
    Lines lines;
    Units line;
    std::size_t start = 0;
    if (!units.empty() && units[0] == 0xFEFF) // a UTF-16 byte-order mark stays first
        start = 1;
    else if (units.size() >= 3 && units[0] == 0xEF && units[1] == 0xBB && units[2] == 0xBF)
        start = 3; // and so does a UTF-8 one
    if (start > 0)
        lines.emplace_back(units.begin(), units.begin() + static_cast<std::ptrdiff_t>(start));
    for (std::size_t i = start; i < units.size(); ++i) {
        if (IsOddByte(units[i])) { // not text: a line of its own
            if (!line.empty())
                lines.push_back(std::move(line));
            lines.push_back({units[i]});
            line.clear();
            continue;
        }
        line.push_back(units[i]);
        // CR LF and LF CR each end one line, as the profile functions read them.
        if (i + 1 < units.size() && IsBreak(units[i + 1]) && units[i + 1] != units[i] &&
            (line.size() < 2 || !IsBreak(line[line.size() - 2])))
            continue;
        if (IsBreak(units[i])) {
            lines.push_back(std::move(line));
            line.clear();
        }
    }
    if (!line.empty())
        lines.push_back(std::move(line));
    return lines;
}

std::string CheckSingleWrite(const std::string& before, const std::string& after,
                             const WriteTarget& target) {
    const FileUnits b = ToUnits(before), a = ToUnits(after);
    if (!before.empty() && a.encoding != b.encoding)
        return "the file's encoding changed\n";
    Lines bl = SplitLines(b.units);
    const Lines al = SplitLines(a.units);
    AcceptAddedTerminator(bl, al);

    std::size_t prefix = 0;
    while (prefix < bl.size() && prefix < al.size() && bl[prefix] == al[prefix])
        ++prefix;
    std::size_t suffix = 0;
    while (suffix < bl.size() - prefix && suffix < al.size() - prefix &&
           bl[bl.size() - 1 - suffix] == al[al.size() - 1 - suffix])
        ++suffix;
    const std::size_t removedFrom = prefix, removedTo = bl.size() - suffix;
    const std::size_t addedFrom = prefix, addedTo = al.size() - suffix;
    const std::size_t removed = removedTo - removedFrom, added = addedTo - addedFrom;
    if (removed == 0 && added == 0)
        return "";

    const std::size_t extra =
        CountBreaks(target.section) + CountBreaks(target.key) + CountBreaks(target.value);
    // A file that ends its lines with LF CR gets new lines ending so too,
    // which split into a line and an empty one (one more when the file's
    // unterminated last line gets its terminator).
    std::size_t empty = 0;
    for (std::size_t i = addedFrom; i < addedTo; ++i)
        empty += IsEmptyLine(al[i]);
    std::string problem;
    if (removed > 1)
        problem = "more than one line replaced or removed";
    else if (added - empty > 2 + extra || empty > added - empty + 1)
        problem = "more lines added than a key and a section header";

    // The lines' contents can be judged only for plain names; lines of a name
    // with '=' or line breaks, or of non-ASCII names, are matched by count.
    const bool plainKey = !target.key.empty() && PrintableAscii(target.key) &&
                          target.key.find('=') == std::string_view::npos &&
                          !IsBlank(static_cast<unsigned char>(target.key.front())) &&
                          !IsBlank(static_cast<unsigned char>(target.key.back())) &&
                          target.key.front() != '[' && extra == 0;
    if (problem.empty() && plainKey) {
        std::size_t keyLines = 0, headers = 0, others = 0;
        for (std::size_t i = addedFrom; i < addedTo; ++i) {
            if (IsKeyLine(al[i], target.key))
                ++keyLines;
            else if (IsHeader(al[i]))
                ++headers;
            else if (!IsEmptyLine(al[i]))
                ++others;
        }
        if (removed == 1 && !IsKeyLine(bl[removedFrom], target.key))
            problem = "a line of another key replaced";
        else if (keyLines != 1 || others != 0 || headers > (removed == 0 ? 1u : 0u))
            problem = "the added lines are not the key's line (and its section header)";
    }
    if (problem.empty())
        return "";
    return problem + "\nremoved lines:\n" + Describe(bl, removedFrom, removedTo) +
           "added lines:\n" + Describe(al, addedFrom, addedTo);
}

std::string CheckOnlyKeysChanged(const std::string& before, const std::string& after,
                                 const std::vector<std::string_view>& keys,
                                 std::size_t maxNewLines) {
    const FileUnits b = ToUnits(before), a = ToUnits(after);
    if (!before.empty() && a.encoding != b.encoding)
        return "the file's encoding changed\n";
    Lines bl = SplitLines(b.units);
    const Lines al = SplitLines(a.units);
    // An unterminated last line may gain a terminator anywhere it lands.
    std::size_t j = 0;
    for (std::size_t i = 0; i < bl.size(); ++i) {
        const Units& line = bl[i];
        if (std::any_of(keys.begin(), keys.end(),
                        [&](std::string_view k) { return IsKeyLine(line, k); }))
            continue;
        const bool lastUnterminated = !IsBreak(line.back()) && !IsOddByte(line.back());
        const auto matches = [&](const Units& candidate) {
            if (candidate == line)
                return true;
            return lastUnterminated && candidate.size() > line.size() &&
                   candidate.size() <= line.size() + 2 &&
                   std::equal(line.begin(), line.end(), candidate.begin()) &&
                   std::all_of(candidate.begin() + static_cast<std::ptrdiff_t>(line.size()),
                               candidate.end(), IsBreak);
        };
        while (j < al.size() && !matches(al[j]))
            ++j;
        if (j == al.size())
            return "a line that no write targeted is gone:\n" + Describe(bl, i, i + 1);
        ++j;
    }
    // Lines ending in LF CR split into a line and an empty one: count the others.
    const auto count = [](const Lines& lines) {
        return static_cast<std::size_t>(std::count_if(
            lines.begin(), lines.end(), [](const Units& l) { return !IsEmptyLine(l); }));
    };
    if (count(al) > count(bl) + maxNewLines)
        return "more lines added than the keys and a section header\n";
    return "";
}

} // namespace kvn::fuzz
