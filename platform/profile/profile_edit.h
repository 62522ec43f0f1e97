// What a write does to profile text: it replaces the value on the key's line,
// or inserts one line for a new key, or appends a new section. Every other
// byte of the text stays as it was.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kvn::profile {

// Replace text[begin, end) with `replacement`; nothing to do when !changed.
struct TextEdit {
    bool changed = false;
    std::size_t begin = 0;
    std::size_t end = 0;
    std::string replacement;
};

// Plans writing `value` to `key` in `section`, all given in the text's own
// encoding. Names are matched trimmed; a new key or section keeps the name as
// given minus leading white space. The value loses its leading white space
// and is cut at its first CR or LF, so that a value can never add lines. A
// value that reads back the same as the stored one changes nothing. New lines
// take the line ending of the line they follow (else the text's last ending,
// else CR LF); so does a rewritten last line that had no ending. Returns
// nothing when the result would not read back as that key in that section (a
// name with a line break, a key with '=', ...).
std::optional<TextEdit> PlanWrite(std::string_view text, std::string_view section,
                                  std::string_view key, std::string_view value);

std::string ApplyEdit(std::string_view text, const TextEdit& edit);

} // namespace kvn::profile
