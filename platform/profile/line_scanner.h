// The line structure of profile text: lines, their endings, and what each
// line holds (a section header, a key with or without a value, or nothing).
#pragma once

#include <cstddef>
#include <string_view>

namespace kvn::profile {

// One line of text, as offsets into it.
struct Line {
    std::size_t begin = 0; // first byte of the line
    std::size_t end = 0;   // end of its text, where the line ending starts
    std::size_t next = 0;  // first byte after the line ending
};

// Yields the lines of a text in order. A line ends at CR LF, LF CR, a lone CR
// or a lone LF; the last line may have no ending. Runs in one pass: the next
// CR and the next LF are each searched for once.
class LineScanner {
  public:
    explicit LineScanner(std::string_view text, std::size_t start = 0);
    bool Next(Line& line);

  private:
    std::size_t Find(char c, std::size_t from) const;

    std::string_view text_;
    std::size_t pos_ = 0;
    std::size_t nextCr_ = 0;
    std::size_t nextLf_ = 0;
};

enum class LineKind { Blank, Section, Key };

// What a line holds. Names are trimmed of white space and end at a NUL byte.
// A key line without '=' has no value (it is found, but reads as missing).
struct ParsedLine {
    LineKind kind = LineKind::Blank;
    std::string_view name;
    bool hasValue = false;
    std::size_t valueBegin = 0; // after '=' and the white space that follows it
    std::size_t valueEnd = 0;   // end of the line's text without trailing white space
};

// White space around names and values: tab, LF, VT, FF, CR, space and ^Z; not
// the byte 0xA0 (a no-break space in Windows-1252), which Windows keeps as part
// of a name or value.
inline bool IsProfileSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1A';
}

std::string_view Trim(std::string_view s);
std::string_view TrimLeft(std::string_view s);
std::string_view CutAtNul(std::string_view s);

// Classifies a line. A trimmed line that starts with '[' and has a ']' after
// it is a section header; its name is the text up to the last ']'. Any other
// non-blank line is a key line, comment lines included: a line ";x=1" is the
// key ";x".
ParsedLine ParseLine(std::string_view text, const Line& line);

// The line ending that starts at `pos` (CR LF, LF CR, CR or LF); empty when
// there is none.
std::string_view EndingAt(std::string_view text, std::size_t pos);

// The last line ending that ends at or before `pos`; empty when there is none.
std::string_view LastEndingBefore(std::string_view text, std::size_t pos);

// A key line's stored value: the value up to a NUL byte, trimmed.
std::string_view ValueText(std::string_view text, const ParsedLine& parsed);

// A stored value without one pair of matching quotes ("..." or '...') around
// it, as readers get it.
std::string_view Unquote(std::string_view value);

} // namespace kvn::profile
