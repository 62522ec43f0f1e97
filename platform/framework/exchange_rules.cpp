#include "platform/framework/exchange_rules.h"

#include <algorithm>
#include <limits>

namespace kvn {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

std::optional<std::int32_t> ParseExchangeInteger(std::string_view text) {
    text = text.substr(0, std::min(text.size(), kIntegerTextLimit));
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    const std::size_t first = i;

    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulate in 64 bits, saturating well beyond the 32-bit range.
    std::int64_t magnitude = 0;
    const std::size_t digitsStart = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        magnitude = std::min<std::int64_t>(magnitude * 10 + (text[i] - '0'), std::int64_t{1} << 40);
        ++i;
    }
    // A sign without digits converts nothing: the sign itself is trailing text.
    if (i == digitsStart)
        i = first;
    std::size_t rest = i;
    while (rest < text.size() && IsBlank(text[rest]))
        ++rest;
    if (rest != text.size())
        return std::nullopt;

    std::int64_t value = negative ? -magnitude : magnitude;
    value = std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                     std::numeric_limits<std::int32_t>::max());
    if (value == 0 && (first == text.size() || text[first] != '0'))
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::vector<int> RadioGroupIds(std::span<const ControlTemplate> controls, int firstId) {
    std::vector<int> ids;
    auto it = std::find_if(controls.begin(), controls.end(),
                           [firstId](const ControlTemplate& c) { return c.id == firstId; });
    if (it == controls.end())
        return ids;
    for (auto c = it; c != controls.end(); ++c) {
        if (c != it && (c->styles & kGroup))
            break;
        if (c->kind == ControlKind::RadioButton)
            ids.push_back(c->id);
    }
    return ids;
}

int CheckStateForControl(int& value) {
    if (value < 0 || value > 2)
        value = 0;
    return value;
}

std::string FormatRangeMessage(std::string_view pattern, std::int32_t low, std::int32_t high) {
    std::string result;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() &&
            (pattern[i + 1] == '1' || pattern[i + 1] == '2')) {
            result += std::to_string(pattern[i + 1] == '1' ? low : high);
            ++i;
        } else {
            result += pattern[i];
        }
    }
    return result;
}

} // namespace kvn
