// Caption bytes to shown text, as a player meets it: a value read for
// display from a file in each code-page family, cut to 99 bytes and decoded.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/profile/display_text.h"
#include "platform/text/ansi_text.h"
#include "platform/text/code_page.h"
#include "tests/support/temp_dir.h"

namespace {

std::string AnsiFile(const std::string& value) {
    return "[Captions]\r\nOK=" + value + "\r\n";
}

std::string Utf16LeFile(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : text)
        bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    return bytes;
}

struct Row {
    const char* what;
    const char* locale; // LC_ALL; the locale's code page follows
    unsigned codePage;
    std::string file;
    std::string shown;
};

TEST(CaptionText, EachCodePageFamilyShowsInItsScript) {
    std::string kanji, shown; // U+4E9C in code page 932: its second byte could lead
    for (int i = 0; i < 49; ++i)
        kanji += "\x88\x9F", shown += "亜";
    const std::vector<Row> rows = {
        {"1250", "sr_RS.UTF-8@latin", 1250, AnsiFile("Otka\x9Ei"), "Otkaži"},
        {"1251", "ru_RU.KOI8-R", 1251, AnsiFile("\xC3\xEE\xF2\xEE\xE2\xEE"), "Готово"},
        {"1252", "de_DE.UTF-8", 1252, AnsiFile("Gr\xFC\xDF Gott \x80"), "Grüß Gott €"},
        {"932, cut through a character", "ja_JP.UTF-8", 932, AnsiFile(kanji + "\x88\x9F"), shown},
        {"932, a second byte like a lead byte", "ja_JP.UTF-8", 932, AnsiFile("x" + kanji + "y"),
         "x" + shown},
        {"UTF-8 without a mark", "C", 1252, AnsiFile("Готово"), "Готово"},
        {"UTF-16 with its mark", "C", 1252, Utf16LeFile(u"[Captions]\r\nOK=Готово\r\n"), "Готово"},
    };
    kvn::test::TempDir dir;
    const std::string path = (dir.path() / "KVNConfig.ini").string();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        kvn::test::ScopedVariable locale("LC_ALL", row.locale);
#ifdef _WIN32
        if (kvn::AnsiCodePage() != row.codePage)
            continue; // the system's code page; see ScopedVariable
#endif
        ASSERT_EQ(kvn::AnsiCodePage(), row.codePage) << row.locale;
        kvn::test::WriteFile(path, row.file);
        char buffer[100];
        ProfileDisplayReader(path.c_str()).Read("Captions", "OK", "", buffer, sizeof buffer);
        EXPECT_EQ(kvn::AnsiToUtf8(buffer), row.shown);
    }
}

} // namespace
