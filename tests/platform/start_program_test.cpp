#include <gtest/gtest.h>

#include "tests/platform/process_test_support.h"

namespace {

using namespace kvn::test;
using kvn::StartProgramAndWait;

using StartProgram = StartProgramTest;

TEST_F(StartProgram, ToolSeesItsNameTheArgumentAndOurDirectory) {
    PlaceRecordingTool();
    ASSERT_EQ(StartProgramAndWait(".\\DrvPicker.exe", kCommandLine), 0);
    ToolRecord r = ReadRecord(record_);
    EXPECT_EQ(r.args, (std::vector<std::string>{"DrvPicker.exe", "-app:ZOLT"}));
    EXPECT_TRUE(fs::equivalent(r.cwd, dir_.path()));
}

TEST_F(StartProgram, ExitCodeComesBack) {
    PlaceRecordingTool("tools/DrvPicker.exe");
    ScopedEnv code("KVN_TOOL_EXIT", "42");
    EXPECT_EQ(StartProgramAndWait("tools\\DrvPicker", kCommandLine), 42);
}

TEST_F(StartProgram, MissingToolGivesMinusOne) {
    EXPECT_EQ(StartProgramAndWait(".\\DrvPicker.exe", kCommandLine), -1);
    EXPECT_EQ(StartProgramAndWait("DrvPicker", kCommandLine), -1);
    EXPECT_EQ(StartProgramAndWait("", kCommandLine), -1);
}

TEST_F(StartProgram, FirstExtensionPresentIsStarted) {
    MakeExitingTool(In("picker.exe"), 2);
    MakeExitingTool(In("picker.bat"), 3);
    MakeExitingTool(In("picker.cmd"), 4);
    EXPECT_EQ(StartProgramAndWait("picker", kCommandLine), 2);
    fs::remove(In("picker.exe"));
    EXPECT_TRUE(BatchFileStarted(StartProgramAndWait("picker", kCommandLine), 3));
}

} // namespace
