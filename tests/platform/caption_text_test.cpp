// Caption bytes to shown text, as a player meets it: a value read for
// display from a file in each code-page family, cut to 99 bytes and decoded.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/profile/display_text.h"
#include "platform/text/ansi_text.h"
#include "platform/text/code_page.h"
#include "tests/support/scoped_locale.h"
#include "tests/support/temp_dir.h"

namespace {

using kvn::test::ScopedLocale;

std::string AnsiFile(const std::string& value) {
    return "[Captions]\r\nOK=" + value + "\r\n";
}

std::string Utf16LeFile(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

std::string Repeat(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

struct Row {
    const char* what;
    const char* locale;
    unsigned codePage;
    std::string file;
    std::string shown;
};

TEST(CaptionText, EachCodePageFamilyShowsInItsScript) {
    const std::string kanji = "\x88\x9F"; // U+4E9C in code page 932; its second byte could lead
    const std::vector<Row> rows = {
        {"1250", "pl_PL.UTF-8", 1250, AnsiFile("Za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9"),
         "Zażółć gęślą"},
        {"1251", "ru_RU.UTF-8", 1251, AnsiFile("\xC3\xEE\xF2\xEE\xE2\xEE"), "Готово"},
        {"1252", "de_DE.UTF-8", 1252,
         AnsiFile("Gr\xF6\xDF"
                  "e \x80"),
         "Größe €"},
        {"932, cut through a character", "ja_JP.UTF-8", 932, AnsiFile(Repeat(kanji, 50)),
         Repeat("亜", 49)},
        {"932, a second byte like a lead byte", "ja_JP.UTF-8", 932,
         AnsiFile("x" + Repeat(kanji, 49) + "y"), "x" + Repeat("亜", 49)},
        {"UTF-8 without a mark", "C", 1252, AnsiFile("Готово"), "Готово"},
        {"UTF-16 with its mark", "C", 1252, Utf16LeFile(u"[Captions]\r\nOK=Готово\r\n"), "Готово"},
    };
    kvn::test::TempDir dir;
    const std::string path = (dir.path() / "KVNConfig.ini").string();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ScopedLocale locale(row.locale);
        if (kvn::AnsiCodePage() != row.codePage) {
#ifdef _WIN32
            continue; // the code page is the system's; see scoped_locale.h
#endif
            ADD_FAILURE() << row.locale << " gives code page " << kvn::AnsiCodePage();
            continue;
        }
        kvn::test::WriteFile(path, row.file);
        char buffer[100];
        GetPrivateProfileDisplayText("Captions", "OK", "", buffer, sizeof buffer, path.c_str());
        EXPECT_EQ(kvn::AnsiToUtf8(buffer), row.shown);
    }
}

} // namespace
