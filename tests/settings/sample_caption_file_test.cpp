#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/framework/ansi_text.h"
#include "platform/winapi.h"
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

    EXPECT_EQ(kvn::AnsiToUtf8(Read("French", "GRAPHICSQUALITY")), "Qualité graphique réduite");
    EXPECT_EQ(kvn::AnsiToUtf8(Read("German", "DRVPICKER")), "Direct-Draw-Treiber ändern ...");
    EXPECT_EQ(kvn::AnsiToUtf8(Read("Spanish", "AUTO")), "Automático");
}

} // namespace
