// The data-exchange rules of the dialog framework, free of any widget code so
// that they can be checked without a display.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/framework/dialog_template.h"
#include "platform/text/integer_rules.h" // ParseExchangeInteger, kIntegerTextLimit

namespace kvn {

// Messages of the exchange; the range message has %1 and %2 placeholders.
inline constexpr const char* kEnterIntegerMessage = "Please enter an integer.";
inline constexpr const char* kEnterIntegerRangeMessage =
    "Please enter an integer between %1 and %2.";

// The ids of the radio buttons of the group that starts at `firstId`, in
// index order: the walk goes on in z-order until a control that starts a new
// group. Empty when there is no such control.
std::vector<int> RadioGroupIds(std::span<const ControlTemplate> controls, int firstId);

// The state a check box is given: values outside 0 to 2 are first reset to
// 0 in `value`.
int CheckStateForControl(int& value);

// Replaces %1 and %2 in `pattern` with the two numbers.
std::string FormatRangeMessage(std::string_view pattern, std::int32_t low, std::int32_t high);

} // namespace kvn
