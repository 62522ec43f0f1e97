#include <gtest/gtest.h>

#include "platform/process/start_program.h"
#include "tests/support/temp_dir.h"

#include <algorithm>
#include <cstdlib>

namespace {

namespace fs = std::filesystem;
using kvn::ResolveProgramPath;
using kvn::test::ScopedCurrentDir;
using kvn::test::TempDir;
using kvn::test::TempPrefix;
using kvn::test::WriteFile;

class ResolveProgramPathTest : public ::testing::Test {
  protected:
    fs::path Make(const fs::path& relative) {
        fs::path p = dir_.path() / relative;
        fs::create_directories(p.parent_path());
        WriteFile(p, "#!/bin/sh\n");
        return p;
    }
    // The file the path resolves to, relative to the folder; "" for none.
    std::string Resolved(std::string_view windowsPath) {
        std::string host = ResolveProgramPath(windowsPath);
        if (host.empty())
            return {};
        return fs::relative(fs::absolute(host), dir_.path()).generic_string();
    }

    TempDir dir_;
    ScopedCurrentDir cwd_{dir_.path()};
};

using ResolveProgramPathRules = ResolveProgramPathTest;
using OurResolveProgramPath = ResolveProgramPathTest;

TEST_F(ResolveProgramPathRules, NameWithoutSeparatorIsInCurrentDirectory) {
    Make("DrvPicker.exe");
    EXPECT_EQ(Resolved("DrvPicker.exe"), "DrvPicker.exe");
    EXPECT_EQ(Resolved(".\\DrvPicker.exe"), "DrvPicker.exe");
    EXPECT_EQ(Resolved("DrvPicker"), "DrvPicker.exe");
}

TEST_F(ResolveProgramPathRules, RelativeAndAbsolutePaths) {
    Make("tools/DrvPicker.exe");
    EXPECT_EQ(Resolved("tools\\DrvPicker.exe"), "tools/DrvPicker.exe");
    EXPECT_EQ(Resolved(".\\tools/DrvPicker"), "tools/DrvPicker.exe");
    std::string absolute = (dir_.path() / "tools").string() + "\\DrvPicker";
    EXPECT_EQ(Resolved(absolute), "tools/DrvPicker.exe");
}

TEST_F(ResolveProgramPathRules, ExplicitExtensionIsUsedOnlyIfPresent) {
    Make("picker.com");
    Make("notes.txt");
    EXPECT_EQ(Resolved("picker.exe"), "");
    EXPECT_EQ(Resolved("notes.txt"), "notes.txt");
    EXPECT_EQ(Resolved("notes.txt.exe"), "");
}

TEST_F(ResolveProgramPathRules, ExtensionsAreTriedInOrder) {
    for (const char* name : {"picker.cmd", "picker.bat", "picker.exe", "picker.com"})
        Make(name);
    for (const char* expected : {"picker.com", "picker.exe", "picker.bat", "picker.cmd"}) {
        EXPECT_EQ(Resolved("picker"), expected);
        fs::remove(dir_.path() / expected);
    }
    EXPECT_EQ(Resolved("picker"), "");
}

TEST_F(ResolveProgramPathRules, BareFileWithoutExtensionIsNotTaken) {
    Make("picker");
    EXPECT_EQ(Resolved("picker"), "");
    Make("picker.bat");
    EXPECT_EQ(Resolved("picker"), "picker.bat");
}

TEST_F(ResolveProgramPathRules, OnlyTheFileNameDecidesTheSearch) {
    Make("tools.v2/picker.exe");
    EXPECT_EQ(Resolved("tools.v2\\picker"), "tools.v2/picker.exe");
}

TEST_F(ResolveProgramPathRules, SearchPathIsNeverConsulted) {
    TempDir elsewhere;
    WriteFile(elsewhere.path() / "picker.exe", "#!/bin/sh\n");
    std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    ::setenv("PATH", elsewhere.path().c_str(), 1);
    EXPECT_EQ(Resolved("picker"), "");
    EXPECT_EQ(Resolved("picker.exe"), "");
    ::setenv("PATH", oldPath.c_str(), 1);
}

TEST_F(OurResolveProgramPath, DirectoryIsNotAFileToStart) {
    fs::create_directory(dir_.path() / "DrvPicker.exe");
    EXPECT_EQ(Resolved(".\\DrvPicker.exe"), "");
    fs::create_directory(dir_.path() / "picker.com");
    Make("picker.exe");
    EXPECT_EQ(Resolved("picker"), "picker.exe");
}

TEST_F(OurResolveProgramPath, LetterCaseIsIgnored) {
    Make("DRVPICKER.EXE");
    Make("Tools/Picker.Bat");
    EXPECT_EQ(Resolved(".\\DrvPicker.exe"), "DRVPICKER.EXE");
    EXPECT_EQ(Resolved("drvpicker"), "DRVPICKER.EXE");
    EXPECT_EQ(Resolved("tools\\PICKER"), "Tools/Picker.Bat");
}

TEST_F(OurResolveProgramPath, DriveLettersMapThroughTheWinePrefix) {
    TempPrefix prefix; // c: is drive_c, z: is /
    const fs::path tool = prefix.root() / "drive_c/Games/ZOLT/DrvPicker.exe";
    fs::create_directories(tool.parent_path());
    WriteFile(tool, "#!/bin/sh\n");
    auto resolved = [](std::string_view path) {
        const std::string host = ResolveProgramPath(path);
        return host.empty() ? host : fs::canonical(host).string();
    };
    const std::string expected = fs::canonical(tool).string();
    EXPECT_EQ(resolved("C:\\Games\\ZOLT\\DrvPicker.exe"), expected);
    EXPECT_EQ(resolved("c:\\games\\zolt\\drvpicker"), expected);
    std::string onZ = "Z:" + fs::canonical(tool).string();
    std::replace(onZ.begin(), onZ.end(), '/', '\\');
    EXPECT_EQ(resolved(onZ), expected);
    // A letter without a mapping names no file, not a folder named "D:".
    fs::create_directories(dir_.path() / "D:/Games/ZOLT");
    WriteFile(dir_.path() / "D:/Games/ZOLT/DrvPicker.exe", "#!/bin/sh\n");
    EXPECT_EQ(resolved("D:\\Games\\ZOLT\\DrvPicker.exe"), "");
}

} // namespace
