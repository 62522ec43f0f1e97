// Which prefix the game runs in, found from the folder it is started in.
#include <gtest/gtest.h>

#include "platform/paths/steam_library.h"
#include "platform/paths/wine_prefix.h"
#include "tests/platform/process_test_support.h"

namespace {

using namespace kvn::test;
using kvn::PrefixOrigin;

void MakePrefix(const fs::path& prefix) {
    fs::create_directories(prefix / "drive_c/windows");
    WriteFile(prefix / "system.reg", "WINE REGISTRY Version 2\n");
}

std::string Manifest(const std::string& installDir) {
    return "\"AppState\"\n{\n\t\"appid\"\t\t\"1\"\n\t\"UserConfig\"\n\t{\n\t\t\"installdir\"\t\t"
           "\"Wrong\"\n\t}\n\t\"installdir\"\t\t\"" +
           installDir + "\"\n}\n";
}

// Launcher prefixes with the game inside, a Steam library with Proton
// prefixes, symbolic links to both, and a home without any prefix.
class GamePrefixSearch : public ::testing::Test {
  protected:
    void SetUp() override {
        MakePrefix(In("Games/zolt"));
        fs::create_directories(In("Games/zolt/drive_c/Games/ZOLT/data"));
        fs::create_directory_symlink(In("Games/zolt/drive_c/Games/ZOLT"), In("ZOLT-link"));

        const fs::path apps = In("lib/steamapps");
        fs::create_directories(apps / "common/ZOLT/bin");
        fs::create_directories(apps / "common/NoPfx");
        WriteFile(apps / "appmanifest_100.acf", Manifest("Other"));
        WriteFile(apps / "appmanifest_200.acf", Manifest("ZOLT"));
        WriteFile(apps / "appmanifest_300.acf", Manifest("NoPfx"));
        // Not manifests to trust: cut short, and too large to be one.
        WriteFile(apps / "appmanifest_20.acf", "\"AppState\" { \"installdir\" \"ZOL");
        WriteFile(apps / "appmanifest_30.acf",
                  "// " + std::string(2 << 20, 'x') + "\n" + Manifest("ZOLT"));
        for (const char* id : {"100", "200", "20", "30"})
            MakePrefix(apps / "compatdata" / id / "pfx");
        fs::create_directories(apps / "compatdata/300"); // no pfx
        WriteFile(apps / "compatdata/200/config_info",
                  "8.0-105\n" + In("proton8").string() + "/files/share/fonts/\n");
        WriteFile(apps / "compatdata/100/config_info",
                  "5.0-10\n" + In("proton5").string() + "/dist/share/fonts/\n");

        // A game folder on another disk, linked into the library.
        fs::create_directories(In("disk/ZOLT"));
        fs::create_directory_symlink(In("disk/ZOLT"), apps / "common/Linked");
        WriteFile(apps / "appmanifest_400.acf", Manifest("Linked"));
        MakePrefix(apps / "compatdata/400/pfx");
        fs::create_directories(In("home"));
    }

    fs::path In(const fs::path& relative) const { return dir_.path() / relative; }

    TempDir dir_;
    ScopedEnv home_{"HOME", In("home").string()};
    ScopedEnv prefix_{"WINEPREFIX", ""};
    ScopedEnv pwd_{"PWD", ""};
};

TEST_F(GamePrefixSearch, FollowsWineLaunchersAndSteamInThatOrder) {
    const std::string compat = In("lib/steamapps/compatdata").string();
    struct Case {
        const char* cwd;        // the folder started from
        const char* pwd;        // $PWD as a shell names it; null: unset
        const char* wineprefix; // null: unset
        std::string prefix;
        PrefixOrigin origin;
        std::string compatData;
    } cases[] = {
        {"Games/zolt/drive_c/Games/ZOLT/data", nullptr, nullptr, In("Games/zolt"),
         PrefixOrigin::Folder, ""},
        {"Games/zolt", nullptr, nullptr, In("Games/zolt"), PrefixOrigin::Folder, ""},
        {"ZOLT-link", "ZOLT-link", nullptr, In("Games/zolt"), PrefixOrigin::Folder, ""},
        {"Games/zolt/drive_c/Games/ZOLT", nullptr, "/given/", "/given", PrefixOrigin::Given, ""},
        {"Games/zolt/drive_c/Games/ZOLT", nullptr, "", In("Games/zolt"), PrefixOrigin::Folder, ""},
        {"lib/steamapps/common/ZOLT/bin", nullptr, nullptr, compat + "/200/pfx",
         PrefixOrigin::Steam, compat + "/200"},
        {"lib/steamapps/common/Linked", "lib/steamapps/common/Linked", nullptr, compat + "/400/pfx",
         PrefixOrigin::Steam, compat + "/400"},
        {"disk/ZOLT", "lib/steamapps/common/ZOLT", nullptr, In("home/.wine"), PrefixOrigin::Default,
         ""}, // $PWD names another folder: not believed
        {"lib/steamapps/compatdata/100/pfx/drive_c", nullptr, nullptr, compat + "/100/pfx",
         PrefixOrigin::Folder, compat + "/100"},
        {"lib/steamapps/common/NoPfx", nullptr, nullptr, In("home/.wine"), PrefixOrigin::Default,
         ""},
        {"lib/steamapps/common", nullptr, nullptr, In("home/.wine"), PrefixOrigin::Default, ""},
        {"home", nullptr, nullptr, In("home/.wine"), PrefixOrigin::Default, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cwd);
        ScopedCurrentDir cwd(In(c.cwd));
        ScopedEnv::Set("PWD", c.pwd ? In(c.pwd).c_str() : nullptr);
        ScopedEnv::Set("WINEPREFIX", c.wineprefix);
        const kvn::GamePrefix found = kvn::FindGamePrefix();
        EXPECT_EQ(found.path, c.prefix);
        EXPECT_EQ(found.origin, c.origin);
        EXPECT_EQ(found.compatData, c.compatData);
    }
    ScopedEnv::Set("HOME", nullptr);
    ScopedCurrentDir cwd(In("home"));
    EXPECT_EQ(kvn::FindGamePrefix().origin, PrefixOrigin::None);
}

TEST_F(GamePrefixSearch, ProtonFolderComesFromConfigInfo) {
    const fs::path compat = In("lib/steamapps/compatdata");
    EXPECT_EQ(kvn::ProtonFolder((compat / "200").string()), In("proton8").string());
    EXPECT_EQ(kvn::ProtonFolder((compat / "100").string()), In("proton5").string());
    WriteFile(compat / "20/config_info", "8.0-105\nfonts somewhere\n");
    for (const char* id : {"20", "30"}) // a line of another kind, no file
        EXPECT_EQ(kvn::ProtonFolder((compat / id).string()), "");
}

TEST(AppManifest, InstallDirComesFromTheTopBlockOnly) {
    EXPECT_EQ(kvn::ManifestInstallDir(Manifest("ZOLT")), "ZOLT");
    EXPECT_EQ(
        kvn::ManifestInstallDir("// made by Steam\n\"appstate\" { installdir \"Z \\\"Q\\\"\" }"),
        "Z \"Q\"");
    for (const char* bad : {"", "{ \"installdir\" \"ZOLT\" }", "\"Other\" { \"installdir\" \"Z\" }",
                            "\"AppState\" { } \"installdir\" \"Z\""})
        EXPECT_EQ(kvn::ManifestInstallDir(bad), "") << bad;
}

} // namespace
