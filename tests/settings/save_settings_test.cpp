#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "platform/wintypes.h"
#include "settings/save_failure.h"
#include "settings/settings_file.h"
#include "tests/support/profile_value.h"
#include "tests/support/temp_dir.h"

namespace {

using kvn::test::ReadFile;
using kvn::test::TempPrefix;
using kvn::test::WriteFile;

GameSettings Chosen(int mip, int low, int agpMode, std::int32_t mb) {
    GameSettings s;
    s.mipMapping = mip;
    s.lowGraphicMode = low;
    s.agpMode = agpMode;
    s.agpMemoryMb = mb;
    return s;
}

// The names in a folder, as stored (a case-insensitive file system would
// find "korvane" when "Korvane" exists).
std::set<std::string> Entries(const std::filesystem::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// A shared file as the game and its tools leave it: comments, blank lines,
// other sections around ZOLT, keys this program never writes.
const char* const kSharedCrlf = "; ZOLT configuration\r\n"
                                "[Display]\r\n"
                                "Width=640\r\n"
                                "Height = 480\r\n"
                                "\r\n"
                                "[ZOLT]\r\n"
                                "Language=French\r\n"
                                "MipMapping=auto\r\n"
                                "; chosen by the driver tool\r\n"
                                "DDDriver=Primary Display Driver\r\n"
                                "MaxRAMForAGP=64MB\r\n"
                                "\r\n"
                                "[Sound]\r\n"
                                "Volume=80\r\n";

// The value a reader of the shared file gets for `key`.
std::string Stored(const char* section, const char* key) {
    return kvn::test::ProfileValue(SettingsFilePath(), section, key);
}

TEST(SaveSettings, LeavesEveryOtherKeyAndSectionAsTheyWere) {
    TempPrefix prefix;
    WriteFile(prefix.settingsFile(), kSharedCrlf);
    SaveSettings(Chosen(MipMappingMode::On, 0, AgpMemoryMode::Specify, 64));
    EXPECT_EQ(Stored("Display", "Width"), "640");
    EXPECT_EQ(Stored("Display", "Height"), "480");
    EXPECT_EQ(Stored("ZOLT", "Language"), "French");
    EXPECT_EQ(Stored("ZOLT", "DDDriver"), "Primary Display Driver");
    EXPECT_EQ(Stored("Sound", "Volume"), "80");
    EXPECT_EQ(Stored("ZOLT", "MipMapping"), "ON");
    EXPECT_EQ(Stored("ZOLT", "LowGraphicMode"), "0");
    EXPECT_EQ(Stored("ZOLT", "MaxRAMForAGP"), "64");
}

// Beyond the platform, which rewrites the whole file: every byte that a
// write does not target stays as it was.
TEST(OurSaveSettings, RewritesOnlyItsThreeKeysInACrlfFile) {
    TempPrefix prefix;
    WriteFile(prefix.settingsFile(), kSharedCrlf);
    SaveSettings(Chosen(MipMappingMode::On, 0, AgpMemoryMode::Specify, 64));
    EXPECT_EQ(ReadFile(prefix.settingsFile()), "; ZOLT configuration\r\n"
                                               "[Display]\r\n"
                                               "Width=640\r\n"
                                               "Height = 480\r\n"
                                               "\r\n"
                                               "[ZOLT]\r\n"
                                               "Language=French\r\n"
                                               "MipMapping=ON\r\n"
                                               "; chosen by the driver tool\r\n"
                                               "DDDriver=Primary Display Driver\r\n"
                                               "MaxRAMForAGP=64\r\n"
                                               "LowGraphicMode=0\r\n"
                                               "\r\n"
                                               "[Sound]\r\n"
                                               "Volume=80\r\n");
}

TEST(OurSaveSettings, KeepsLfLineEndings) {
    TempPrefix prefix;
    WriteFile(prefix.settingsFile(), "[Display]\nWidth=640\n\n[ZOLT]\nLanguage=German\n"
                                     "DDDriver=display\nLowGraphicMode=1\n\n[Sound]\nVolume=80\n");
    SaveSettings(Chosen(MipMappingMode::Off, 1, AgpMemoryMode::Auto, 12));
    EXPECT_EQ(ReadFile(prefix.settingsFile()),
              "[Display]\nWidth=640\n\n[ZOLT]\nLanguage=German\nDDDriver=display\n"
              "LowGraphicMode=1\nMipMapping=OFF\nMaxRAMForAGP=AUTO\n\n[Sound]\nVolume=80\n");
}

TEST(SaveSettings, UnchangedValuesLeaveTheFileByteIdentical) {
    TempPrefix prefix;
    const std::string before = "[Display]\r\nWidth=640\r\n\r\n[ZOLT]\r\nLanguage=French\r\n"
                               "MipMapping=OFF\r\nLowGraphicMode=1\r\nMaxRAMForAGP=32\r\n"
                               "DDDriver=display\r\n\r\n[Sound]\r\nVolume=80\r\n";
    WriteFile(prefix.settingsFile(), before);
    GameSettings s;
    LoadSettings(s);
    SaveSettings(s);
    EXPECT_EQ(ReadFile(prefix.settingsFile()), before);
}

TEST(SaveSettings, WritesTheCanonicalTexts) {
    TempPrefix prefix;
    const struct {
        GameSettings settings;
        const char* expected;
    } cases[] = {
        {Chosen(MipMappingMode::On, 0, AgpMemoryMode::Auto, 500),
         "MipMapping=ON\r\nLowGraphicMode=0\r\nMaxRAMForAGP=AUTO\r\n"},
        {Chosen(MipMappingMode::None, -2, AgpMemoryMode::Specify, 0),
         "MipMapping=AUTO\r\nLowGraphicMode=-2\r\nMaxRAMForAGP=0\r\n"},
        {Chosen(7, 2, AgpMemoryMode::None, -8), // any non-zero mode writes the figure
         "MipMapping=AUTO\r\nLowGraphicMode=2\r\nMaxRAMForAGP=-8\r\n"},
        {Chosen(MipMappingMode::Off, 1, AgpMemoryMode::Specify, 128),
         "MipMapping=OFF\r\nLowGraphicMode=1\r\nMaxRAMForAGP=128\r\n"},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(prefix.settingsFile());
        SaveSettings(c.settings);
        EXPECT_EQ(ReadFile(prefix.settingsFile()), std::string("[ZOLT]\r\n") + c.expected);
    }
}

TEST(SaveSettings, FolderPresentNoFileCreatesIt) {
    TempPrefix prefix;
    const auto file = prefix.settingsFile(); // creates korvane/
    GameSettings s;
    LoadSettings(s);
    EXPECT_TRUE(SaveSettings(s));
    EXPECT_EQ(ReadFile(file),
              "[ZOLT]\r\nMipMapping=AUTO\r\nLowGraphicMode=0\r\nMaxRAMForAGP=AUTO\r\n");
}

TEST(SaveSettings, NeverCreatesTheKorvaneFolderAndSaysItIsMissing) {
    TempPrefix prefix;
    const auto before = Entries(prefix.windows());
    const SaveResult saved =
        SaveSettings(Chosen(MipMappingMode::On, 1, AgpMemoryMode::Specify, 64));
    EXPECT_FALSE(std::filesystem::exists(prefix.windows() / "korvane"));
    EXPECT_EQ(Entries(prefix.windows()), before);
    EXPECT_STREQ(saved.failedKey, "MipMapping");
    EXPECT_EQ(SaveFailureMessage(saved), "The settings could not be saved to " +
                                             (prefix.windows() / "korvane" / "kvn.ini").string() +
                                             ".\n\nThe folder does not exist.");
}

TEST(OurSaveSettings, AReadOnlyFileIsKeptAndSaysSo) {
    namespace fs = std::filesystem;
    TempPrefix prefix;
    const auto file = prefix.settingsFile();
    WriteFile(file, "[ZOLT]\r\nMipMapping=OFF\r\n");
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const SaveResult saved = SaveSettings(Chosen(MipMappingMode::On, 1, AgpMemoryMode::Auto, 0));
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_STREQ(saved.failedKey, "MipMapping");
    EXPECT_EQ(SaveFailureMessage(saved), "The settings could not be saved to " + file.string() +
                                             ".\n\nThe file or its folder is read-only.");
    EXPECT_EQ(ReadFile(file), "[ZOLT]\r\nMipMapping=OFF\r\n");
}

TEST(SaveSettings, FindsFolderAndFileInAnotherCase) {
    TempPrefix prefix;
    std::filesystem::create_directories(prefix.windows() / "Korvane");
    const auto file = prefix.windows() / "Korvane" / "KVN.INI";
    WriteFile(file, "[ZOLT]\r\nMipMapping=OFF\r\n");
    GameSettings s;
    LoadSettings(s);
    EXPECT_EQ(s.mipMapping, MipMappingMode::Off);
    s.mipMapping = MipMappingMode::On;
    SaveSettings(s);
    EXPECT_EQ(ReadFile(file),
              "[ZOLT]\r\nMipMapping=ON\r\nLowGraphicMode=0\r\nMaxRAMForAGP=AUTO\r\n");
    EXPECT_EQ(Entries(prefix.windows()).count("korvane"), 0u);
}

#ifndef _WIN32
// The Windows directory of a Wine prefix: our implementation only.
TEST(OurSettingsFilePath, UnderTheWinePrefixWindowsDirectory) {
    TempPrefix prefix;
    EXPECT_EQ(SettingsFilePath(), prefix.windows().string() + "\\korvane\\kvn.ini");
}

TEST(OurSettingsFilePath, TooLongWindowsDirectoryFallsBackToTheRoot) {
    TempPrefix prefix;
    // 99 characters of Windows directory still fit the 100-character buffer.
    const std::string suffix = "/drive_c/windows";
    ::setenv("WINEPREFIX", ("/" + std::string(99 - 1 - suffix.size(), 'p')).c_str(), 1);
    EXPECT_EQ(SettingsFilePath().size(), 99 + std::string("\\korvane\\kvn.ini").size());
    ::setenv("WINEPREFIX", ("/" + std::string(99 - suffix.size(), 'p')).c_str(), 1);
    EXPECT_EQ(SettingsFilePath(), "\\korvane\\kvn.ini");
}
#endif

} // namespace
