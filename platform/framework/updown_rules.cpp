#include "platform/framework/updown_rules.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "platform/text/integer_rules.h"

namespace kvn {

int UpDownStartPosition(std::string_view text, int previousPosition, UpDownRange range) {
    const std::optional<std::int64_t> value = ParseUpDownInteger(text);
    if (!value)
        return previousPosition;
    const int low = std::min(range.lower, range.upper);
    const int high = std::max(range.lower, range.upper);
    if (*value < low || *value > high)
        return previousPosition;
    return static_cast<int>(*value);
}

int UpDownProposedDelta(bool upArrow, int step, UpDownRange range) {
    const int towardsUpper = range.upper >= range.lower ? step : -step;
    return upArrow ? towardsUpper : -towardsUpper;
}

int UpDownApplyDelta(int position, int delta, UpDownRange range) {
    const std::int64_t low = std::min(range.lower, range.upper);
    const std::int64_t high = std::max(range.lower, range.upper);
    return static_cast<int>(std::clamp<std::int64_t>(std::int64_t{position} + delta, low, high));
}

} // namespace kvn
