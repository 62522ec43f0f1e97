#include "platform/framework/exchange_rules.h"

#include <algorithm>
#include <limits>

namespace kvn {

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
