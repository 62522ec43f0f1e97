// Finding a key in profile text: the first section of the name, and in it the
// first key of the name. Later sections or keys of the same name are never
// looked at.
#pragma once

#include <string_view>

#include "platform/profile/line_scanner.h"

namespace kvn::profile {

struct KeyLookup {
    bool sectionFound = false;
    bool keyFound = false;
    Line keyLine;      // the key's line, when found
    ParsedLine parsed; // what that line holds

    // Where a new key of the section goes: after its last non-blank line (the
    // header when the section is empty). Without such a line (the part before
    // the first header holds nothing), at the start of the text.
    bool hasLastLine = false;
    Line lastLine;
};

// `section` and `key` are trimmed names. The empty section name stands for
// the keys before the first section header. Lines before the section are
// skipped by searching for '[' alone; the scan stops as soon as the answer is
// known.
KeyLookup FindKey(std::string_view text, std::string_view section, std::string_view key);

} // namespace kvn::profile
