#include "platform/text/best_fit.h"

#include <string_view>

namespace kvn {
namespace {

// The bare letters of U+00C0 to U+017F, '?' where there is none (ligatures,
// Eth, Thorn, sharp s, signs and the like).
constexpr std::string_view kLatinLetters = "AAAAAA?CEEEEIIII?NOOOOO?OUUUUY??"
                                           "aaaaaa?ceeeeiiii?nooooo?ouuuuy?y"
                                           "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGg"
                                           "GgGgHhHhIiIiIiIiIi??JjKk?LlLlLl?"
                                           "?LlNnNnNn???OoOoOo??RrRrRrSsSsSs"
                                           "SsTtTtTtUuUuUuUuUuUuWwYyYZzZzZz?";

bool IsEuropean(unsigned codePage) {
    return codePage >= 1250 && codePage <= 1254;
}

bool IsEastAsian(unsigned codePage) {
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950;
}

} // namespace

char BestFit(char32_t c, unsigned codePage) {
    if (c >= 0xFF01 && c <= 0xFF5E)
        return static_cast<char>(c - 0xFEE0);
    const bool latin1 = c >= 0xC0 && c < 0x100;
    if ((latin1 && IsEastAsian(codePage)) ||
        (IsEuropean(codePage) && c >= 0xC0 && c < 0xC0 + kLatinLetters.size()))
        return kLatinLetters[c - 0xC0];
    if (((c >= 0x2000 && c <= 0x2006) || c == 0x3000) &&
        (codePage == 1250 || codePage == 1252 || codePage == 1254))
        return ' ';
    return '?';
}

} // namespace kvn
