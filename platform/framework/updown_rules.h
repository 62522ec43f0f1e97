// How the up-down control moves its position, free of widget code.
#pragma once

#include <string_view>

namespace kvn {

// The control's range as the platform stores it: `lower` is the position at
// the bottom arrow's end, `upper` at the top arrow's end. Either may be the
// larger number (an inverted range).
struct UpDownRange {
    int lower = 100; // the platform's default range runs from 100 down to 0
    int upper = 0;
};

// The position a step starts from: the buddy's text when it holds a whole
// decimal number within the range, else the previous position.
int UpDownStartPosition(std::string_view buddyText, int previousPosition, UpDownRange range);

// The change an arrow proposes: `step` towards `upper` for the up arrow,
// towards `lower` for the down arrow.
int UpDownProposedDelta(bool upArrow, int step, UpDownRange range);

// `position + delta`, kept within the range without wrapping.
int UpDownApplyDelta(int position, int delta, UpDownRange range);

} // namespace kvn
