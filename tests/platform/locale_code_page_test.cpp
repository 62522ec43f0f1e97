// The code page of the player's locale on Linux: what Wine gives a program
// there (GetACP measured under Wine 8.0), or the Windows default of the
// locale where Wine 8.0 does not know its name.
#include <gtest/gtest.h>

#include <utility>

#include "platform/text/locale_code_page.h"
#include "tests/support/scoped_locale.h"

namespace {

using kvn::CodePageOfLocale;

TEST(CodePageOfLocale, LanguageDecidesScriptAndTerritoryWhereTheyMatter) {
    const std::pair<const char*, unsigned> cases[] = {
        {"", 1252},
        {"C", 1252},
        {"POSIX", 1252},
        {"C.UTF-8", 1252},
        {"pt_BR.UTF-8", 1252},
        {"hi_IN", 1252},        // no 8-bit code page: Wine 8.0 gives 65001
        {"ru_RU.KOI8-R", 1251}, // the codeset does not count
        {"ru_UA.UTF-8", 1251},  // Wine 8.0 does not know ru-UA and gives 1252
        {"ja", 932},            // no territory
        {"sr_RS", 1251},        // Cyrillic
        {"sr_RS.UTF-8@latin", 1250},
        {"uz_UZ", 1254}, // Latin
        {"uz_UZ@cyrillic", 1251},
        {"zh_CN.GB18030", 936},
        {"zh_TW.UTF-8", 950},
        {"zh_HK", 950},
    };
    for (const auto& [locale, codePage] : cases)
        EXPECT_EQ(CodePageOfLocale(locale), codePage) << locale;
}

TEST(CodePageOfLocale, LocaleIsLcAllThenLcCtypeThenLang) {
    kvn::test::ScopedVariable all("LC_ALL", "ru_RU.UTF-8");
    kvn::test::ScopedVariable ctype("LC_CTYPE", "el_GR.UTF-8");
    kvn::test::ScopedVariable lang("LANG", "ja_JP.UTF-8");
    EXPECT_EQ(kvn::CharacterLocale(), "ru_RU.UTF-8");
    kvn::test::ScopedVariable noAll("LC_ALL", ""); // empty counts as unset
    EXPECT_EQ(kvn::CharacterLocale(), "el_GR.UTF-8");
    kvn::test::ScopedVariable noCtype("LC_CTYPE", "");
    EXPECT_EQ(kvn::CharacterLocale(), "ja_JP.UTF-8");
}

} // namespace
