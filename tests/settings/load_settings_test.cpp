#include <gtest/gtest.h>

#include <string>

#include "platform/text/integer_rules.h"
#include "settings/settings_file.h"
#include "tests/support/temp_dir.h"

namespace {

using kvn::test::TempPrefix;
using kvn::test::WriteFile;

// Loads from a shared file whose ZOLT section holds `body`, into a fresh record.
GameSettings LoadFrom(const TempPrefix& prefix, const std::string& body) {
    WriteFile(prefix.settingsFile(), "[Display]\r\nWidth=640\r\n\r\n[ZOLT]\r\n" + body);
    GameSettings s;
    LoadSettings(s);
    return s;
}

TEST(LoadSettings, MissingFileGivesDefaults) {
    TempPrefix prefix;
    GameSettings s;
    s.agpMemoryMb = 5;
    LoadSettings(s);
    EXPECT_EQ(s.mipMapping, MipMappingMode::Auto);
    EXPECT_EQ(s.lowGraphicMode, 0);
    EXPECT_EQ(s.agpMode, AgpMemoryMode::Auto);
    EXPECT_EQ(s.agpMemoryMb, 5); // Auto leaves the figure alone
    EXPECT_EQ(s.language, "English");
    EXPECT_EQ(s.driverConfigured, 0);
}

TEST(LoadSettings, MipMappingIgnoresCaseAndFallsBackToAuto) {
    TempPrefix prefix;
    const std::pair<const char*, int> cases[] = {
        {"ON", MipMappingMode::On},       {"on", MipMappingMode::On},
        {"On", MipMappingMode::On},       {"Off", MipMappingMode::Off},
        {"OFF", MipMappingMode::Off},     {"auto", MipMappingMode::Auto},
        {"", MipMappingMode::Auto},       {"yes", MipMappingMode::Auto},
        {" on ", MipMappingMode::On},     {"onn", MipMappingMode::Auto},
        {"\"Off\"", MipMappingMode::Off}, {"1", MipMappingMode::Auto},
    };
    for (const auto& [stored, expected] : cases)
        EXPECT_EQ(LoadFrom(prefix, std::string("MipMapping=") + stored + "\r\n").mipMapping,
                  expected)
            << "MipMapping=" << stored;
}

TEST(LoadSettings, LowGraphicModeIsReadAsIntegerWithoutClamping) {
    TempPrefix prefix;
    EXPECT_EQ(LoadFrom(prefix, "LowGraphicMode=1\r\n").lowGraphicMode, 1);
    EXPECT_EQ(LoadFrom(prefix, "LowGraphicMode=7\r\n").lowGraphicMode, 7);
    EXPECT_EQ(LoadFrom(prefix, "LowGraphicMode=-3\r\n").lowGraphicMode, -3);
    EXPECT_EQ(LoadFrom(prefix, "LowGraphicMode=ON\r\n").lowGraphicMode, 0);
    EXPECT_EQ(LoadFrom(prefix, "LowGraphicMode=\r\n").lowGraphicMode, 0);
}

TEST(LoadSettings, MaxRamForAgpAutoOrLeadingNumber) {
    TempPrefix prefix;
    struct Case {
        const char* stored;
        int mode;
        std::int32_t mb;
    };
    const Case cases[] = {
        {"AUTO", AgpMemoryMode::Auto, 0},
        {"Auto", AgpMemoryMode::Auto, 0},
        {"0", AgpMemoryMode::Specify, 0},
        {"64", AgpMemoryMode::Specify, 64},
        {"64MB", AgpMemoryMode::Specify, 64},
        {"  +32", AgpMemoryMode::Specify, 32},
        {"-8", AgpMemoryMode::Specify, -8},
        {"lots", AgpMemoryMode::Specify, 0},
        {"", AgpMemoryMode::Specify, 0},
        {"200", AgpMemoryMode::Specify, 200},
        {"4294967360", AgpMemoryMode::Specify, 64}, // wraps in 32 bits
        {"2147483648", AgpMemoryMode::Specify, INT32_MIN},
        {"0x40", AgpMemoryMode::Specify, 0}, // decimal only, unlike the integer read
    };
    for (const auto& c : cases) {
        const GameSettings s = LoadFrom(prefix, std::string("MaxRAMForAGP=") + c.stored + "\r\n");
        EXPECT_EQ(s.agpMode, c.mode) << c.stored;
        EXPECT_EQ(s.agpMemoryMb, c.mb) << c.stored;
    }
}

TEST(LoadSettings, LanguageKeptAsStoredAndCutTo99) {
    TempPrefix prefix;
    EXPECT_EQ(LoadFrom(prefix, "Language=fRENCH\r\n").language, "fRENCH");
    EXPECT_EQ(LoadFrom(prefix, "Language=\r\n").language, "");
    const std::string longName(150, 'x');
    EXPECT_EQ(LoadFrom(prefix, "Language=" + longName + "\r\n").language, std::string(99, 'x'));
}

TEST(LoadSettings, DriverConfiguredWhenDDDriverIsNonEmpty) {
    TempPrefix prefix;
    EXPECT_EQ(LoadFrom(prefix, "DDDriver=display\r\n").driverConfigured, 1);
    EXPECT_EQ(LoadFrom(prefix, "DDDriver=0\r\n").driverConfigured, 1);
    EXPECT_EQ(LoadFrom(prefix, "DDDriver=\r\n").driverConfigured, 0);
    EXPECT_EQ(LoadFrom(prefix, "Language=French\r\n").driverConfigured, 0);
}

TEST(LoadSettings, EveryFieldIsSetEvenWhenTheRecordWasUsed) {
    TempPrefix prefix;
    WriteFile(prefix.settingsFile(), "[ZOLT]\r\nMaxRAMForAGP=16\r\nDDDriver=x\r\n");
    GameSettings s;
    LoadSettings(s);
    WriteFile(prefix.settingsFile(), "[zolt]\r\nmipmapping=off\r\n");
    LoadSettings(s);
    EXPECT_EQ(s.mipMapping, MipMappingMode::Off);
    EXPECT_EQ(s.agpMode, AgpMemoryMode::Auto);
    EXPECT_EQ(s.agpMemoryMb, 16); // kept from the first load
    EXPECT_EQ(s.driverConfigured, 0);
    EXPECT_EQ(s.language, "English");
}

TEST(ParseSettingsDecimal, SignDigitsAndWrapAround) {
    EXPECT_EQ(kvn::ParseSettingsDecimal("64"), 64);
    EXPECT_EQ(kvn::ParseSettingsDecimal(" \t64x"), 64);
    EXPECT_EQ(kvn::ParseSettingsDecimal("+5"), 5);
    EXPECT_EQ(kvn::ParseSettingsDecimal("-0"), 0);
    EXPECT_EQ(kvn::ParseSettingsDecimal("--4"), 0);
    EXPECT_EQ(kvn::ParseSettingsDecimal("- 3"), 0);
    EXPECT_EQ(kvn::ParseSettingsDecimal(""), 0);
    EXPECT_EQ(kvn::ParseSettingsDecimal("2147483647"), INT32_MAX);
    EXPECT_EQ(kvn::ParseSettingsDecimal("-2147483648"), INT32_MIN);
    EXPECT_EQ(kvn::ParseSettingsDecimal("-2147483649"), INT32_MAX);
    EXPECT_EQ(kvn::ParseSettingsDecimal("99999999999"), 1215752191);
}

} // namespace
