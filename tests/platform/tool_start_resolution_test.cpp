// Which file a tool start takes for a path, observed through real starts of
// stand-in tools, so that the same cases run against the platform's own start.
#include <gtest/gtest.h>

#include "tests/platform/process_test_support.h"

namespace {

using namespace kvn::test;
using kvn::StartProgramAndWait;

using ToolStartResolution = StartProgramTest;

int Start(const std::string& path) {
    return StartProgramAndWait(path, kCommandLine);
}

TEST_F(ToolStartResolution, NameWithoutSeparatorIsInTheCurrentDirectory) {
    MakeExitingTool(In("DrvPicker.exe"), 5);
    EXPECT_EQ(Start("DrvPicker.exe"), 5);
    EXPECT_EQ(Start(".\\DrvPicker.exe"), 5);
    EXPECT_EQ(Start("DrvPicker"), 5);
}

TEST_F(ToolStartResolution, RelativeAndAbsolutePaths) {
    fs::create_directory(In("tools"));
    MakeExitingTool(In("tools/DrvPicker.exe"), 6);
    EXPECT_EQ(Start("tools\\DrvPicker.exe"), 6);
    EXPECT_EQ(Start(".\\tools\\DrvPicker"), 6);
    EXPECT_EQ(Start(In("tools").string() + "\\DrvPicker"), 6);
}

TEST_F(ToolStartResolution, ExtensionsAreTriedInOrder) {
    MakeExitingTool(In("picker.com"), 1);
    MakeExitingTool(In("picker.exe"), 2);
    MakeExitingTool(In("picker.bat"), 3);
    MakeExitingTool(In("picker.cmd"), 4);
    EXPECT_EQ(Start("picker"), 1);
    fs::remove(In("picker.com"));
    EXPECT_EQ(Start("picker"), 2);
    fs::remove(In("picker.exe"));
    EXPECT_TRUE(BatchFileStarted(Start("picker"), 3));
    fs::remove(In("picker.bat"));
    EXPECT_TRUE(BatchFileStarted(Start("picker"), 4));
    fs::remove(In("picker.cmd"));
    EXPECT_EQ(Start("picker"), -1);
}

TEST_F(ToolStartResolution, ExplicitExtensionIsUsedOnlyIfPresent) {
    MakeExitingTool(In("picker.com"), 1);
    MakeExitingTool(In("notes.txt"), 8);
    MakeExitingTool(In("tool.v2.exe"), 9);
    EXPECT_EQ(Start("picker.exe"), -1);
    EXPECT_EQ(Start("notes.txt"), 8);
    EXPECT_EQ(Start("notes.txt.exe"), -1);
    EXPECT_EQ(Start("tool.v2"), -1);
}

TEST_F(ToolStartResolution, OnlyTheFileNameDecidesTheSearch) {
    fs::create_directory(In("tools.v2"));
    MakeExitingTool(In("tools.v2/picker.exe"), 9);
    EXPECT_EQ(Start("tools.v2\\picker"), 9);
}

TEST_F(ToolStartResolution, SearchPathIsNeverConsulted) {
    fs::create_directory(In("bin"));
    MakeExitingTool(In("bin/picker.exe"), 2);
    ScopedEnv path("PATH", In("bin").string());
    EXPECT_EQ(Start("picker"), -1);
    EXPECT_EQ(Start("picker.exe"), -1);
}

} // namespace
