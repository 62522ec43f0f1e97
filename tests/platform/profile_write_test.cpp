// Writes change only the line they target (or add one), in the file's own
// line endings and encoding.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/profile/profile.h"
#include "tests/support/profile_value.h"
#include "tests/support/temp_dir.h"

namespace {

using kvn::test::ReadFile;
using kvn::test::TempDir;
using kvn::test::WriteFile;

class OurProfileWrite : public ::testing::Test {
  protected:
    std::string Write(const std::string& before, const char* section, const char* key,
                      const char* value) {
        WriteFile(file_, before);
        EXPECT_TRUE(WritePrivateProfileStringA(section, key, value, path()));
        return ReadFile(file_);
    }
    std::string Get(const char* section, const char* key) {
        return kvn::test::ProfileValue(pathText_, section, key);
    }
    const char* path() const { return pathText_.c_str(); }

    TempDir dir_;
    std::filesystem::path file_ = dir_.path() / "kvn.ini";
    std::string pathText_ = file_.string();
};

TEST_F(OurProfileWrite, MessyFileKeepsEveryOtherByte) {
    const std::string messy = "\xEF\xBB" // not a full mark: plain text
                              "; written by hand\r\n"
                              "Top = 1\r\n\r\n"
                              "  [ Display ]  ; screen\r\n"
                              "\tWidth = 640\t\r\n"
                              "Name=\"Quoted \xE9t\xE9\"\r\n"
                              "Junk\x01\x02 line without equals\r\n"
                              "\r\n"
                              "[zolt]\r\n"
                              "   mipmapping   =   on   \r\n"
                              "; Language=Old\r\n"
                              "Language=Fran\xE7"
                              "ais\r\n"
                              "\r\n\r\n"
                              "[Sound]\n"
                              "Volume=80\n"
                              "[ZOLT]\r\n"
                              "MaxRAMForAGP=8\r\n"
                              "Tail without ending";
    std::string expected = messy;
    expected.replace(expected.find("   on   "), 8, "   OFF");
    EXPECT_EQ(Write(messy, "ZOLT", "MipMapping", "OFF"), expected);

    // A new key goes after the first ZOLT section's last line, not into the
    // later duplicate.
    const std::string afterLanguage = "Language=Fran\xE7"
                                      "ais\r\n";
    expected.insert(expected.find(afterLanguage) + afterLanguage.size(), "LowGraphicMode=0\r\n");
    EXPECT_EQ(Write(ReadFile(file_), "ZOLT", "LowGraphicMode", "0"), expected);

    expected += "\r\n[New]\r\nk=v\r\n";
    EXPECT_EQ(Write(ReadFile(file_), "New", "k", "v"), expected);
    EXPECT_EQ(Get("ZOLT", "MaxRAMForAGP"),
              kvn::test::kMissing); // the duplicate section stays unread
}

TEST_F(OurProfileWrite, NewLinesUseTheNeighbouringLineEnding) {
    EXPECT_EQ(Write("[ZOLT]\nA=1\n[Next]\nB=2\n", "ZOLT", "C", "3"),
              "[ZOLT]\nA=1\nC=3\n[Next]\nB=2\n");
    EXPECT_EQ(Write("[ZOLT]\rA=1", "ZOLT", "C", "3"), "[ZOLT]\rA=1\rC=3\r");
    EXPECT_EQ(Write("[ZOLT]\n\rA=1\n\r", "ZOLT", "C", "3"), "[ZOLT]\n\rA=1\n\rC=3\n\r");
    EXPECT_EQ(Write("[Other]\r\nX=1\n[ZOLT]\r\nA=1\n", "ZOLT", "C", "3"),
              "[Other]\r\nX=1\n[ZOLT]\r\nA=1\nC=3\n");
    EXPECT_EQ(Write("[Other]\nX=1", "ZOLT", "C", "3"), "[Other]\nX=1\n[ZOLT]\nC=3\n");
    EXPECT_EQ(Write("Top=1\n[ZOLT]\n", "", "C", "3"), "Top=1\nC=3\n[ZOLT]\n");
    EXPECT_EQ(Write("[ZOLT]\n", "", "C", "3"), "C=3\n[ZOLT]\n");

    std::filesystem::remove(file_);
    EXPECT_TRUE(WritePrivateProfileStringA("ZOLT", "A", "1", path()));
    EXPECT_EQ(ReadFile(file_), "[ZOLT]\r\nA=1\r\n");
}

TEST_F(OurProfileWrite, UnchangedValueLeavesTheFileAlone) {
    WriteFile(file_, "[ZOLT]\n  MipMapping = \"ON\"  \n");
    struct stat before {};
    ASSERT_EQ(::stat(path(), &before), 0);
    EXPECT_TRUE(WritePrivateProfileStringA("zolt", "MIPMAPPING", "ON", path()));
    struct stat after {};
    ASSERT_EQ(::stat(path(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino); // not even replaced by a copy
    EXPECT_EQ(ReadFile(file_), "[ZOLT]\n  MipMapping = \"ON\"  \n");
}

TEST_F(OurProfileWrite, Utf16FilesStayUtf16) {
    auto utf16 = [](const std::u16string& text, bool bigEndian) {
        std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        for (const char16_t c : text) {
            const char hi = static_cast<char>(c >> 8);
            const char lo = static_cast<char>(c & 0xFF);
            bytes += bigEndian ? hi : lo;
            bytes += bigEndian ? lo : hi;
        }
        return bytes;
    };
    for (const bool bigEndian : {false, true}) {
        // U+00E7, a surrogate pair and a lone surrogate must all survive.
        const std::u16string before =
            u"[ZOLT]\r\nLanguage=Fran\u00E7ais\r\nIcon=\xD83D\xDE00 \xDC00\r\nMipMapping=ON\r\n";
        const std::string written = Write(utf16(before, bigEndian), "ZOLT", "MipMapping", "OFF");
        std::u16string after = before;
        after.replace(after.find(u"ON\r"), 2, u"OFF");
        EXPECT_EQ(written, utf16(after, bigEndian));

        EXPECT_TRUE(WritePrivateProfileStringA("ZOLT", "Language", "Deutsch \xE9", path()));
        after.replace(after.find(u"Fran"), 8, u"Deutsch \u00E9");
        EXPECT_EQ(ReadFile(file_), utf16(after, bigEndian));
        EXPECT_EQ(Get("ZOLT", "Language"), "Deutsch \xE9");
    }
}

TEST_F(OurProfileWrite, ValuesCannotAddLines) {
    const std::string before = "[ZOLT]\r\nLanguage=French\r\nDDDriver=display\r\n";
    EXPECT_EQ(Write(before, "ZOLT", "Language", "A\r\nInjected=1"),
              "[ZOLT]\r\nLanguage=A\r\nDDDriver=display\r\n");
    EXPECT_EQ(Write(before, "ZOLT", "New", "B\n[Evil]\nx=1"), before + "New=B\r\n");
    EXPECT_EQ(Get("Evil", "x"), kvn::test::kMissing);
}

TEST_F(OurProfileWrite, RefusesNamesThatWouldNotReadBack) {
    const std::string before = "[ZOLT]\r\nA=1\r\n";
    WriteFile(file_, before);
    EXPECT_FALSE(WritePrivateProfileStringA("ZOLT", "a=b", "1", path()));
    EXPECT_FALSE(WritePrivateProfileStringA("ZOLT", "[Evil]", "1", path()));
    EXPECT_FALSE(WritePrivateProfileStringA("ZOLT", "K\r\nInjected", "1", path()));
    EXPECT_FALSE(WritePrivateProfileStringA("ZO\nLT", "K", "1", path()));
    EXPECT_FALSE(WritePrivateProfileStringA("ZOLT", "A", nullptr, path())); // no deleting
    EXPECT_EQ(ReadFile(file_), before);
}

} // namespace
