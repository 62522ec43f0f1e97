#include "platform/text/integer_rules.h"

#include <algorithm>
#include <limits>

namespace kvn {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

std::uint32_t ParseProfileInteger(const char* text) {
    while (*text != '\0' && static_cast<unsigned char>(*text) <= ' ')
        ++text;
    bool negative = false;
    if (*text == '+' || *text == '-')
        negative = *text++ == '-';
    std::uint32_t base = 10;
    if (text[0] == '0') {
        base = text[1] == 'x' ? 16 : text[1] == 'o' ? 8 : text[1] == 'b' ? 2 : 10;
        if (base != 10)
            text += 2;
    }
    std::uint32_t value = 0;
    for (;; ++text) {
        const char c = *text;
        std::uint32_t digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<std::uint32_t>(c - '0');
        else if (c >= 'a' && c <= 'f')
            digit = static_cast<std::uint32_t>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F')
            digit = static_cast<std::uint32_t>(c - 'A' + 10);
        else
            break;
        if (digit >= base)
            break;
        value = value * base + digit;
    }
    return negative ? 0u - value : value;
}

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

std::int32_t ParseSettingsDecimal(const char* text) {
    while (*text == ' ' || (*text >= '\t' && *text <= '\r'))
        ++text;
    bool negative = false;
    if (*text == '+' || *text == '-')
        negative = *text++ == '-';
    std::uint32_t value = 0;
    for (; *text >= '0' && *text <= '9'; ++text)
        value = value * 10u + static_cast<std::uint32_t>(*text - '0');
    if (negative)
        value = 0u - value;
    return static_cast<std::int32_t>(value);
}

std::optional<std::int64_t> ParseUpDownInteger(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && text.front() == '-') {
        negative = true;
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 10)
        return std::nullopt;
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

} // namespace kvn
