#include "platform/framework/updown_rules.h"

#include <algorithm>
#include <cstdint>

namespace kvn {

int UpDownStartPosition(std::string_view text, int previousPosition, UpDownRange range) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && text.front() == '-') {
        negative = true;
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 10)
        return previousPosition;
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return previousPosition;
        value = value * 10 + (c - '0');
    }
    if (negative)
        value = -value;
    const int low = std::min(range.lower, range.upper);
    const int high = std::max(range.lower, range.upper);
    if (value < low || value > high)
        return previousPosition;
    return static_cast<int>(value);
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
