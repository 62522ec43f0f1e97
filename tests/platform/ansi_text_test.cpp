#include <gtest/gtest.h>

#include <string>

#include "platform/text/ansi_text.h"

namespace {

using kvn::AnsiToUtf8;

TEST(AnsiToUtf8, KeepsAsciiAndValidUtf8) {
    EXPECT_EQ(AnsiToUtf8(""), "");
    EXPECT_EQ(AnsiToUtf8("Specify (Mb)"), "Specify (Mb)");
    EXPECT_EQ(AnsiToUtf8("Qualité réduite"), "Qualité réduite");
    EXPECT_EQ(AnsiToUtf8("€ 中 \xF0\x9F\x98\x80"), "€ 中 \xF0\x9F\x98\x80"); // 2, 3 and 4 bytes
}

TEST(AnsiToUtf8, DecodesWindows1252Text) {
    EXPECT_EQ(AnsiToUtf8("Qualit\xE9 graphique r\xE9"
                         "duite"),
              "Qualité graphique réduite");
    EXPECT_EQ(AnsiToUtf8("Direct-Draw-Treiber \xE4ndern, Gr\xF6\xDF"
                         "e"),
              "Direct-Draw-Treiber ändern, Größe");
    EXPECT_EQ(AnsiToUtf8("Gr\xE1"
                         "ficos \xBFS\xED?"),
              "Gráficos ¿Sí?");
    EXPECT_EQ(AnsiToUtf8("\xC0\xFF"), "Àÿ");
}

TEST(AnsiToUtf8, DecodesTheUpperControlRangeAsWindowsDoes) {
    EXPECT_EQ(AnsiToUtf8("5 \x80"), "5 €");
    EXPECT_EQ(AnsiToUtf8("\x85\x93x\x94\x96\x99\x8C\x9F"), "…“x”–™ŒŸ");
    // Bytes the code page leaves undefined become the C1 controls of the same value.
    EXPECT_EQ(AnsiToUtf8("\x81\x8D\x8F\x90\x9D"), "\u0081\u008D\u008F\u0090\u009D");
}

TEST(AnsiToUtf8, BrokenUtf8IsReadAsWindows1252) {
    EXPECT_EQ(AnsiToUtf8("caf\xC3"), "cafÃ");               // cut before its last byte
    EXPECT_EQ(AnsiToUtf8("\xE2\x82"), "â‚");                // three-byte form cut short
    EXPECT_EQ(AnsiToUtf8("\xC0\xAF"), "À¯");                // overlong "/"
    EXPECT_EQ(AnsiToUtf8("\xE0\x80\xAF"), "à€¯");           // overlong "/" in three bytes
    EXPECT_EQ(AnsiToUtf8("\xED\xA0\x80"), "í\u00A0€");      // UTF-16 surrogate
    EXPECT_EQ(AnsiToUtf8("\xF4\x90\x80\x80"), "ô\u0090€€"); // beyond U+10FFFF
    EXPECT_EQ(AnsiToUtf8("\xF8\x88\x80\x80\x80"), "øˆ€€€"); // five-byte form
    EXPECT_EQ(AnsiToUtf8("a\x80"
                         "b"),
              "a€b"); // stray continuation byte
    // One bad sequence decodes the whole text, valid parts included.
    EXPECT_EQ(AnsiToUtf8("é \xE9"), "Ã© é");
}

TEST(AnsiToUtf8, KeepsEmbeddedNulBytes) {
    EXPECT_EQ(AnsiToUtf8(std::string("a\0\xE9", 3)), std::string("a\0é", 4));
}

} // namespace
