// ASCII letter case, as the profile functions, the settings and the path
// lookups compare names: only A to Z and a to z are paired; every other byte
// of the code page (and of UTF-8) matches only itself.
#pragma once

#include <string_view>

namespace kvn {

constexpr char AsciiToLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether `a` and `b` are equal without regard to ASCII letter case.
constexpr bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiToLower(a[i]) != AsciiToLower(b[i]))
            return false;
    return true;
}

} // namespace kvn
