#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/text/ansi_text.h"
#include "settings/caption_file.h"
#include "tests/support/temp_dir.h"

namespace {

using kvn::test::ScopedCurrentDir;
using kvn::test::TempDir;
using kvn::test::WriteFile;

using Calls = std::vector<std::pair<int, std::string>>;

struct Loaded {
    std::string toolPath;
    Calls calls; // (control id, text) in the order they were set
};

Loaded Load(const std::string& language) {
    Loaded out;
    out.toolPath = "unchanged";
    LoadCaptions(language, out.toolPath,
                 [&](int id, const char* text) { out.calls.emplace_back(id, text); });
    return out;
}

// The calls LoadCaptions makes when the file gives `text(row)` for every row
// of the caption table: each text once per receiving control, in table order.
template <typename RowText> Calls TableCalls(RowText text) {
    Calls calls;
    for (const CaptionRow& row : CaptionTable)
        for (const int id : row.controls)
            if (id != 0)
                calls.emplace_back(id, text(row));
    return calls;
}

const Calls kDefaults = TableCalls([](const CaptionRow& row) { return row.defaultCaption; });

Calls With(Calls calls, int id, const std::string& text) {
    for (auto& call : calls)
        if (call.first == id)
            call.second = text;
    return calls;
}

Calls DefaultsWith(int id, const std::string& text) {
    return With(kDefaults, id, text);
}

// Each test runs in a fresh current directory.
class LoadCaptionsTest : public ::testing::Test {
  protected:
    void Write(const std::string& bytes) { WriteFile(dir_.path() / "KVNConfig.ini", bytes); }

    TempDir dir_;
    ScopedCurrentDir cwd_{dir_.path()};
};

TEST_F(LoadCaptionsTest, NoFileGivesEveryDefaultInTableOrder) {
    const Loaded loaded = Load("English");
    EXPECT_EQ(loaded.toolPath, ".\\DrvPicker.exe");
    EXPECT_EQ(loaded.calls, kDefaults); // AUTO goes to 1004, then 1005
}

TEST_F(LoadCaptionsTest, OnlyToolPathSectionGivesDefaultCaptions) {
    Write("[KVNCONFIG]\r\nDRVPICKERPATH=tools\\Picker.exe\r\n");
    const Loaded loaded = Load("English");
    EXPECT_EQ(loaded.toolPath, "tools\\Picker.exe");
    EXPECT_EQ(loaded.calls, kDefaults);
}

TEST_F(LoadCaptionsTest, SectionThatSetsOnlyOkLeavesTheRestDefault) {
    Write("[English]\r\nCANCEL=Close\r\n[French]\r\nOK=Valider\r\n");
    const Loaded loaded = Load("French");
    EXPECT_EQ(loaded.toolPath, ".\\DrvPicker.exe");
    EXPECT_EQ(loaded.calls, DefaultsWith(1, "Valider"));
}

TEST_F(LoadCaptionsTest, EveryKeyReachesItsControls) {
    const auto text = [](const CaptionRow& row) { return "<" + std::string(row.key) + ">"; };
    std::string file = "[Test]\r\n";
    for (const CaptionRow& row : CaptionTable)
        file += row.key + ("=" + text(row)) + "\r\n";
    Write(file);
    EXPECT_EQ(Load("Test").calls, TableCalls(text));
}

TEST_F(LoadCaptionsTest, EmptyValueGivesEmptyCaption) {
    Write("[KVNCONFIG]\r\nDRVPICKERPATH=\r\n[English]\r\nCANCEL=\r\n");
    const Loaded loaded = Load("English");
    EXPECT_EQ(loaded.toolPath, "");
    EXPECT_EQ(loaded.calls, DefaultsWith(2, ""));
}

TEST_F(LoadCaptionsTest, LongValuesAreCutTo99Characters) {
    const std::string caption(150, 'c');
    const std::string path = "C:\\" + std::string(147, 'p');
    Write("[KVNCONFIG]\r\nDRVPICKERPATH=" + path + "\r\n[English]\r\nDRVPICKER=" + caption +
          "\r\n");
    const Loaded loaded = Load("English");
    EXPECT_EQ(loaded.toolPath, path.substr(0, 99));
    EXPECT_EQ(loaded.calls, DefaultsWith(1045, caption.substr(0, 99)));
}

TEST_F(LoadCaptionsTest, SectionAndKeyNamesMatchWithoutCase) {
    Write("[kvnConfig]\r\ndrvPickerPath=Picker.exe\r\n[french]\r\nok=Valider\r\n");
    const Loaded loaded = Load("FRENCH");
    EXPECT_EQ(loaded.toolPath, "Picker.exe");
    EXPECT_EQ(loaded.calls, DefaultsWith(1, "Valider"));
}

TEST_F(LoadCaptionsTest, UnknownLanguageGivesDefaults) {
    Write("[English]\r\nOK=Okay\r\n");
    EXPECT_EQ(Load("Klingon").calls, kDefaults);
}

TEST_F(LoadCaptionsTest, FileIsLookedForInTheCurrentDirectoryOnly) {
    Write("[English]\r\nOK=Here\r\n");
    TempDir other;
    {
        ScopedCurrentDir elsewhere(other.path());
        EXPECT_EQ(Load("English").calls, kDefaults);
    }
    EXPECT_EQ(Load("English").calls, DefaultsWith(1, "Here"));
}

TEST_F(LoadCaptionsTest, CaptionBytesArePassedOnUnchanged) {
    // Windows-1252, as a French or German Windows saves it.
    Write("[French]\r\nGRAPHICSQUALITY=Qualit\xE9 r\xE9"
          "duite\r\n"
          "[German]\r\nDRVPICKER=Direct-Draw-Treiber \xE4ndern ...\r\n");
    const Loaded french = Load("French");
    EXPECT_EQ(french.calls, DefaultsWith(1000, "Qualit\xE9 r\xE9"
                                               "duite"));
    EXPECT_EQ(kvn::AnsiToUtf8(french.calls[3].second), "Qualité réduite");

    const Loaded german = Load("German");
    EXPECT_EQ(german.calls, DefaultsWith(1045, "Direct-Draw-Treiber \xE4ndern ..."));
    EXPECT_EQ(kvn::AnsiToUtf8(german.calls.back().second), "Direct-Draw-Treiber ändern ...");
}

// Text editors save UTF-8 with or without a byte-order mark and "Unicode" as
// UTF-16 with one; every character of such a caption reaches its control.
TEST_F(LoadCaptionsTest, FilesWithAByteOrderMarkGiveUtf8Captions) {
    const std::u16string text = u"[Russian]\r\nOK=\u041F\u0440\u0438\u043D\u044F\u0442\u044C\r\n";
    const std::string utf8Text = "[Russian]\r\nOK=\u041F\u0440\u0438\u043D\u044F\u0442\u044C\r\n";
    const Calls expected = DefaultsWith(1, "\u041F\u0440\u0438\u043D\u044F\u0442\u044C");
    for (const bool bigEndian : {false, true}) {
        std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        for (const char16_t unit : text) {
            const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
            bytes += bigEndian ? std::string{high, low} : std::string{low, high};
        }
        Write(bytes);
        EXPECT_EQ(Load("Russian").calls, expected) << (bigEndian ? "UTF-16BE" : "UTF-16LE");
    }
    Write("\xEF\xBB\xBF" + utf8Text);
    EXPECT_EQ(Load("Russian").calls, expected) << "UTF-8 with its mark";
    Write(utf8Text);
    EXPECT_EQ(Load("Russian").calls, expected) << "UTF-8 without a mark";
}

// The cut at 99 bytes drops a UTF-8 character that does not fit whole, so the
// caption stays UTF-8; text in the ANSI code page is cut at 99 bytes as ever.
TEST_F(LoadCaptionsTest, ACutKeepsUtf8CharactersWhole) {
    std::string cyrillic; // 60 two-byte characters
    for (int i = 0; i < 60; ++i)
        cyrillic += "\u0416";
    const std::string ansi(120, '\xE9'); // not UTF-8
    Write("[Utf8]\r\nOK=" + cyrillic + "\r\nCANCEL=Activ\xE9\r\nDRVPICKER=x" + cyrillic +
          "\r\n[Ansi]\r\nOK=" + ansi + "\r\n");
    Calls expected = DefaultsWith(1, cyrillic.substr(0, 98));
    expected = With(expected, 2, "Activ\xE9"); // a short ANSI caption stays whole
    expected = With(expected, 1045, "x" + cyrillic.substr(0, 98)); // 99 bytes, on a character's end
    EXPECT_EQ(Load("Utf8").calls, expected);
    EXPECT_EQ(Load("Ansi").calls, DefaultsWith(1, ansi.substr(0, 99)));
}

// Linux file names are case-sensitive; a file copied from Windows may be
// spelt differently.
using OurCaptionFile = LoadCaptionsTest;

TEST_F(OurCaptionFile, NameMatchesWithoutCase) {
    WriteFile(dir_.path() / "kvnconfig.INI", "[English]\r\nOK=Found\r\n");
    EXPECT_EQ(Load("English").calls, DefaultsWith(1, "Found"));
}

} // namespace
