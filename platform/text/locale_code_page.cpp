#include "platform/text/locale_code_page.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "platform/text/ascii_case.h"

namespace kvn {
namespace {

struct CodePageLanguages {
    unsigned codePage;
    std::string_view locales; // separated by spaces
};

// The languages whose Windows code page is not 1252. A script modifier or a
// territory names a locale where it decides: Serbian is written in Cyrillic
// unless the locale says @latin, Azerbaijani, Bosnian and Uzbek in Latin
// unless it says @cyrillic; Chinese is simplified but in Taiwan, Hong Kong
// and Macao.
constexpr CodePageLanguages kCodePages[] = {
    {1250, "bs cs hr hu pl ro sk sl sq sr@latin tk"},
    {1251, "az@cyrillic ba be bg bs@cyrillic ky mk mn ru sah sr tg tt uk uz@cyrillic"},
    {1253, "el"},
    {1254, "az tr uz"},
    {1255, "he"},
    {1256, "ar ckb fa prs sd ug ur"},
    {1257, "et lt lv"},
    {1258, "vi"},
    {874, "th"},
    {932, "ja"},
    {936, "zh"},
    {949, "ko"},
    {950, "zh_HK zh_MO zh_TW"},
};

// The code page that lists `locale`, or 0.
unsigned Find(std::string_view locale) {
    for (const CodePageLanguages& entry : kCodePages) {
        std::string_view rest = entry.locales;
        while (!rest.empty()) {
            const std::size_t end = std::min(rest.find(' '), rest.size());
            if (EqualsIgnoringAsciiCase(rest.substr(0, end), locale))
                return entry.codePage;
            rest.remove_prefix(std::min(end + 1, rest.size()));
        }
    }
    return 0;
}

} // namespace

unsigned CodePageOfLocale(std::string_view name) {
    const std::size_t at = name.find('@');
    const std::string_view modifier = at == std::string_view::npos ? "" : name.substr(at + 1);
    name = name.substr(0, name.find_first_of(".@"));
    const std::string_view language = name.substr(0, name.find('_'));
    unsigned codePage = 0;
    if (!modifier.empty())
        codePage = Find(std::string(language) + "@" + std::string(modifier));
    if (codePage == 0 && language.size() < name.size())
        codePage = Find(name);
    if (codePage == 0)
        codePage = Find(language);
    return codePage != 0 ? codePage : 1252;
}

std::string_view CharacterLocale() {
    for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"})
        if (const char* value = std::getenv(variable); value != nullptr && *value != '\0')
            return value;
    return "";
}

} // namespace kvn
