// Checks that a write changed no line of a profile file but the ones it was
// entitled to change.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kvn::fuzz {

// A file as a sequence of code units: its bytes, or its UTF-16 units when it
// starts with a UTF-16 byte-order mark (an odd last byte stays a unit of its
// own, marked above 0xFFFF).
struct FileUnits {
    enum Encoding { Bytes, Utf16Le, Utf16Be };
    Encoding encoding = Bytes;
    std::vector<std::uint32_t> units;
};
FileUnits ToUnits(const std::string& bytes);

// Lines, each with its terminator (CR LF, LF CR, a lone CR or a lone LF) if it
// has one; a byte-order mark (UTF-8 or UTF-16) and the odd last byte of a
// UTF-16 file are lines of their own.
std::vector<std::vector<std::uint32_t>> SplitLines(const std::vector<std::uint32_t>& units);

// White space around names and values within a line: space, tab, VT, FF and
// ^Z. Not the byte 0xA0 (a no-break space in Windows-1252): the platform's
// profile functions keep it as part of a name or value.
bool IsBlank(std::uint32_t unit);

// What one WritePrivateProfileStringA call wrote.
struct WriteTarget {
    std::string_view section;
    std::string_view key;
    std::string_view value;
};

// Returns "" when `after` differs from `before` only as one write of `target`
// may: one line replaced by the key's line, or the key's line inserted,
// together with a new section header when the section was missing, and a line
// terminator added to an unterminated last line. Line breaks inside the
// arguments allow that many extra lines. Otherwise describes the damage.
std::string CheckSingleWrite(const std::string& before, const std::string& after,
                             const WriteTarget& target);

// Returns "" when every line of `before`, except lines of the keys `keys`,
// is still in `after` in the same order and at most `maxNewLines` lines were
// added. For a sequence of writes of those keys into one section.
std::string CheckOnlyKeysChanged(const std::string& before, const std::string& after,
                                 const std::vector<std::string_view>& keys,
                                 std::size_t maxNewLines);

} // namespace kvn::fuzz
