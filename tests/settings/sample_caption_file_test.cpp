#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <map>
#include <string>

#include "platform/text/ansi_text.h"
#include "platform/wintypes.h"
#include "settings/caption_file.h"
#include "tests/support/profile_value.h"
#include "tests/support/temp_dir.h"

namespace {

using kvn::test::ReadFile;
using kvn::test::ScopedCurrentDir;
using kvn::test::TempDir;

const std::filesystem::path kSample =
    std::filesystem::path(KVN_SOURCE_DIR) / "resources" / "KVNConfig.ini";

// The sample file, copied into a fresh current directory.
class SampleCaptionFile : public ::testing::Test {
  protected:
    SampleCaptionFile() { std::filesystem::copy_file(kSample, dir_.path() / "KVNConfig.ini"); }

    static std::string Read(const char* section, const char* key) {
        return kvn::test::ProfileValue(kCaptionFilePath, section, key);
    }

    TempDir dir_;
    ScopedCurrentDir cwd_{dir_.path()};
};

TEST_F(SampleCaptionFile, EveryLanguageHasEveryCaption) {
    EXPECT_EQ(Read("KVNCONFIG", "DRVPICKERPATH"), ".\\DrvPicker.exe");
    for (const char* language : {"English", "French", "German", "Spanish"}) {
        for (const CaptionRow& row : CaptionTable) {
            const std::string caption = Read(language, row.key);
            EXPECT_NE(caption, kvn::test::kMissing) << language << " " << row.key;
            EXPECT_FALSE(caption.empty()) << language << " " << row.key;
            EXPECT_LT(caption.size(), 99u) << language << " " << row.key; // not cut
        }
    }
}

TEST_F(SampleCaptionFile, IsWindows1252WithCrlfLines) {
    const std::string bytes = ReadFile(kSample);
    ASSERT_FALSE(bytes.empty());
    EXPECT_NE(kvn::AnsiToUtf8(bytes), bytes); // not UTF-8: accents are single bytes
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] == '\n') {
            EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at byte " << i;
        }
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");

    EXPECT_EQ(kvn::AnsiToUtf8(Read("French", "GRAPHICSQUALITY")), "&Qualité graphique réduite");
    EXPECT_EQ(kvn::AnsiToUtf8(Read("German", "DRVPICKER")), "&Direct-Draw-Treiber ändern ...");
    EXPECT_EQ(kvn::AnsiToUtf8(Read("Spanish", "AUTO")), "&Automático");
}

// The letter after the caption's one mnemonic mark ("&&" is a literal '&'),
// in lower case; 0 when there is none or more than one.
char Mnemonic(const std::string& caption) {
    char letter = 0;
    int marks = 0;
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] != '&') {
            ++marks;
            letter = static_cast<char>(std::tolower(static_cast<unsigned char>(caption[i + 1])));
        }
        ++i;
    }
    return marks == 1 && std::isalnum(static_cast<unsigned char>(letter)) ? letter : 0;
}

// A keyboard player reaches every control with Alt+letter; the two Auto
// choices share one caption, so one row is one letter.
TEST_F(SampleCaptionFile, EveryCaptionHasItsOwnMnemonic) {
    for (const char* language : {"English", "French", "German", "Spanish"}) {
        std::map<char, const char*> owner;
        for (const CaptionRow& row : CaptionTable) {
            const char letter = Mnemonic(Read(language, row.key));
            EXPECT_NE(letter, 0) << language << " " << row.key;
            const auto [it, added] = owner.emplace(letter, row.key);
            EXPECT_TRUE(added) << language << ": " << row.key << " and " << it->second << " share '"
                               << letter << "'";
        }
    }
}

} // namespace
