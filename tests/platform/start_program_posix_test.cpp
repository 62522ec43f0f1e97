#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/process/player_environment.h"
#include "tests/platform/process_test_support.h"

namespace {

using namespace kvn::test;
using kvn::StartProgramAndWait;

using OurStartProgram = StartProgramTest;

TEST_F(OurStartProgram, OnlyStandardDescriptorsReachTheTool) {
    PlaceRecordingTool();
    int extra = ::open("/dev/null", O_RDONLY); // deliberately without O_CLOEXEC
    int pipeFds[2];
    ASSERT_GE(extra, 0);
    ASSERT_EQ(::pipe(pipeFds), 0);
    int result = StartProgramAndWait("DrvPicker.exe", kCommandLine);
    ::close(extra);
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);
    ASSERT_EQ(result, 0);
    ToolRecord r = ReadRecord(record_);
    ASSERT_FALSE(r.fds.empty());
    for (int fd : r.fds)
        EXPECT_LE(fd, 2) << "descriptor " << fd << " reached the tool";
}

TEST_F(OurStartProgram, ScriptRunsDirectlyWithTheArgument) {
    MakeScript(In("DrvPicker.exe"), "printf '%s\\n' \"$@\" > args.txt\nexit 7\n");
    EXPECT_EQ(StartProgramAndWait("DrvPicker", kCommandLine), 7);
    EXPECT_EQ(ReadFile(In("args.txt")), "-app:ZOLT\n");
}

TEST_F(OurStartProgram, FileWithoutExecutePermissionIsNotStarted) {
    MakeScript(In("DrvPicker.exe"), "touch ran\n", false);
    EXPECT_EQ(StartProgramAndWait("DrvPicker.exe", kCommandLine), -1);
    EXPECT_FALSE(fs::exists(In("ran")));
}

TEST_F(OurStartProgram, NoShellForAnExecutableWithoutInterpreterLine) {
    WriteFile(In("DrvPicker.exe"), "touch ran\n");
    fs::permissions(In("DrvPicker.exe"), fs::perms(0755));
    EXPECT_EQ(StartProgramAndWait("DrvPicker.exe", kCommandLine), -1);
    EXPECT_FALSE(fs::exists(In("ran")));
}

TEST_F(OurStartProgram, WindowsProgramGoesThroughWineOnPath) {
    fs::create_directory(In("bin"));
    MakeScript(In("bin/wine"), "printf '%s\\n' \"$0\" \"$@\" > \"$KVN_TOOL_RECORD\"\nexit 5\n");
    ScopedEnv path("PATH", In("bin").string() + ":" + std::getenv("PATH"));
    fs::create_directory(In("tools"));
    WriteFile(In("tools/DrvPicker.exe"), std::string("MZ\x90\0", 4));
    EXPECT_EQ(StartProgramAndWait("tools\\drvpicker", kCommandLine), 5);
    std::string abs = fs::absolute(In("tools/DrvPicker.exe")).string();
    EXPECT_EQ(ReadFile(record_), In("bin/wine").string() + "\n" + abs + "\n-app:ZOLT\n");
}

TEST_F(OurStartProgram, BatchFileRunsItselfThroughWinesCommandInterpreter) {
    fs::create_directory(In("tools"));
    MakeExitingTool(In("tools/DrvPicker.bat"), 3);
    EXPECT_EQ(StartProgramAndWait(".\\tools/DrvPicker", kCommandLine), 3);
    EXPECT_EQ(ReadFile(wineArgs_), "cmd\n/c\n.\\tools\\DrvPicker.bat\n-app:ZOLT\n");
    MakeExitingTool(In("Setup.CMD"), 4);
    EXPECT_EQ(StartProgramAndWait("Setup.CMD", kCommandLine), 4);
    EXPECT_EQ(ReadFile(wineArgs_), "cmd\n/c\n.\\Setup.CMD\n-app:ZOLT\n");
}

TEST_F(OurStartProgram, ToolGetsTheEnvironmentThisProgramReceived) {
    MakeScript(In("DrvPicker.exe"), "printf '%s\\n' \"${GDK_GL-unset}\" > env.txt\n");
    ScopedEnv restore("GDK_GL", "");
    ScopedEnv::Set("GDK_GL", nullptr);
    kvn::SetForThisProgramOnly("GDK_GL", "disable");
    EXPECT_STREQ(std::getenv("GDK_GL"), "disable");
    ASSERT_EQ(StartProgramAndWait("DrvPicker.exe", kCommandLine), 0);
    EXPECT_EQ(ReadFile(In("env.txt")), "unset\n");
    // A value the player set stays, for this program and for the tool.
    ScopedEnv::Set("GDK_GL", "player");
    kvn::SetForThisProgramOnly("GDK_GL", "disable");
    ASSERT_EQ(StartProgramAndWait("DrvPicker.exe", kCommandLine), 0);
    EXPECT_EQ(ReadFile(In("env.txt")), "player\n");
}

// The game's prefix found from the current folder reaches the tool; a prefix
// the player named is left as the player named it.
TEST_F(OurStartProgram, ToolGetsTheFoundPrefixAsWinePrefix) {
    fs::create_directory(In("drive_c"));
    WriteFile(In("system.reg"), "");
    MakeScript(In("DrvPicker.exe"), "printf '%s\\n' \"${WINEPREFIX-unset}\" > env.txt\n");
    ScopedEnv prefix("WINEPREFIX", "");
    ASSERT_EQ(StartProgramAndWait("DrvPicker.exe", kCommandLine), 0);
    EXPECT_EQ(ReadFile(In("env.txt")), fs::current_path().string() + "\n");
    ScopedEnv::Set("WINEPREFIX", "/given");
    ASSERT_EQ(StartProgramAndWait("DrvPicker.exe", kCommandLine), 0);
    EXPECT_EQ(ReadFile(In("env.txt")), "/given\n");
}

// In a Steam game's Proton prefix a Windows tool runs through the script of
// the Proton that config_info names, or, where that is gone, not at all.
TEST_F(OurStartProgram, WindowsProgramInAProtonPrefixRunsThroughThatProton) {
    const fs::path apps = In("lib/steamapps");
    const fs::path game = apps / "common/ZOLT";
    fs::create_directories(game);
    fs::create_directories(apps / "compatdata/7/pfx/drive_c");
    fs::create_directories(In("home/.steam/steam"));
    WriteFile(apps / "appmanifest_7.acf", "\"AppState\" { \"installdir\" \"ZOLT\" }");
    WriteFile(apps / "compatdata/7/config_info",
              "8.0-105\n" + In("Proton 8.0").string() + "/files/share/fonts/\n");
    fs::create_directory(In("Proton 8.0"));
    MakeScript(In("Proton 8.0/proton"),
               "printf '%s\\n' \"$@\" \"$WINEPREFIX\" \"$STEAM_COMPAT_DATA_PATH\" "
               "\"$STEAM_COMPAT_CLIENT_INSTALL_PATH\" > \"$KVN_TOOL_RECORD\"\nexit 6\n");
    WriteFile(game / "DrvPicker.exe", "MZ");
    ScopedEnv prefix("WINEPREFIX", "");
    ScopedEnv home("HOME", In("home").string());
    ScopedEnv steam("STEAM_COMPAT_CLIENT_INSTALL_PATH", "");
    ScopedEnv::Set("STEAM_COMPAT_CLIENT_INSTALL_PATH", nullptr);
    ScopedCurrentDir inGame(game);
    std::optional<kvn::MissingProton> missing;
    EXPECT_EQ(StartProgramAndWait("DrvPicker.exe", kCommandLine, missing), 6);
    EXPECT_FALSE(missing);
    const std::string compat = (apps / "compatdata/7").string();
    EXPECT_EQ(ReadFile(record_), "run\n" + (game / "DrvPicker.exe").string() + "\n-app:ZOLT\n" +
                                     compat + "/pfx\n" + compat + "\n" +
                                     In("home/.steam/steam").string() + "\n");

    fs::remove_all(In("Proton 8.0"));
    fs::remove(record_);
    EXPECT_EQ(StartProgramAndWait("DrvPicker.exe", kCommandLine, missing), -1);
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->prefix, compat + "/pfx");
    EXPECT_EQ(missing->proton, In("Proton 8.0").string());
    EXPECT_FALSE(fs::exists(record_));
    EXPECT_FALSE(fs::exists(wineArgs_)); // no other Wine either
}

TEST_F(OurStartProgram, WindowsProgramWithoutWineIsNotStarted) {
    fs::create_directory(In("empty"));
    ScopedEnv path("PATH", In("empty").string());
    WriteFile(In("DrvPicker.exe"), "MZ");
    EXPECT_EQ(StartProgramAndWait("DrvPicker.exe", kCommandLine), -1);
}

TEST_F(OurStartProgram, ToolRunsInASessionOfItsOwn) {
    PlaceRecordingTool();
    ASSERT_EQ(StartProgramAndWait("DrvPicker.exe", kCommandLine), 0);
    ToolRecord r = ReadRecord(record_);
    EXPECT_EQ(r.sid, r.pid);
    EXPECT_NE(r.sid, ::getsid(0));
}

// A launcher process whose worker thread waits for the tool, as the dialog's
// does. Returns the launcher's pid once the tool has started; the tool waits
// for the file `go` and then writes "<record>.done".
pid_t StartLauncher(const fs::path& record, const fs::path& go) {
    pid_t launcher = ::fork();
    if (launcher == 0) {
        ::setpgid(0, 0);
        ::setenv("KVN_TOOL_WAIT_FOR", go.c_str(), 1);
        std::thread([] { StartProgramAndWait("DrvPicker.exe", kCommandLine); }).detach();
        if (!WaitForFile(record))
            ::_exit(3);
        return 0;
    }
    return launcher;
}

int WaitForLauncher(pid_t launcher) {
    int status = 0;
    for (int i = 0; i < 1000; ++i) {
        if (::waitpid(launcher, &status, WNOHANG) == launcher)
            return status;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ::kill(launcher, SIGKILL);
    ::waitpid(launcher, &status, 0);
    return -1;
}

TEST_F(OurStartProgram, ProcessExitsWhileWorkerWaitsAndToolRunsOn) {
    PlaceRecordingTool();
    fs::path go = In("go");
    pid_t launcher = StartLauncher(record_, go);
    ASSERT_GE(launcher, 0);
    if (launcher == 0)
        std::exit(0); // the launcher: exit with the worker still waiting
    int status = WaitForLauncher(launcher);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    WriteFile(go, "");
    EXPECT_TRUE(WaitForFile(record_.string() + ".done"));
}

TEST_F(OurStartProgram, CtrlCForTheLauncherLeavesTheToolRunning) {
    PlaceRecordingTool();
    fs::path go = In("go");
    pid_t launcher = StartLauncher(record_, go);
    ASSERT_GE(launcher, 0);
    if (launcher == 0) {
        ::pause();
        ::_exit(4);
    }
    ASSERT_TRUE(WaitForFile(record_));
    ::kill(-launcher, SIGINT); // what a terminal's Ctrl-C sends to its foreground group
    int status = WaitForLauncher(launcher);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT) << status;
    WriteFile(go, "");
    EXPECT_TRUE(WaitForFile(record_.string() + ".done"));
}

} // namespace
