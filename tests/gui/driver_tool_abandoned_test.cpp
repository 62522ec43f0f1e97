// The driver tool outlives the dialog: a window destroyed while the tool
// waits. Linux only: the check runs the tests' own program as a child with
// posix_spawn and waits for it with waitpid.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string_view>
#include <thread>

#include <gtest/gtest.h>

#include "tests/gui/dialog_driver.h"
#include "tests/gui/settings_files.h"
#include "tests/gui/stand_in_tool.h"
#include "tests/support/temp_dir.h"

extern char** environ;

namespace kvn::test {
namespace {

constexpr const char* kToolDirVariable = "KVN_STAND_IN_TOOL_DIR";

// Run in a process of its own by the next test: starts the tool, then has the
// window destroyed while the tool waits, as another program could.
TEST(DriverToolAbandonedChild, DISABLED_WindowDestroyedWhileTheToolWaits) {
    const char* dir = std::getenv(kToolDirVariable);
    ASSERT_NE(dir, nullptr);
    TempPrefix prefix;
    WriteFile(prefix.settingsFile(), SharedFile("MipMapping=ON", "", "MaxRAMForAGP=AUTO"));
    ScopedCurrentDir cwd(dir);
    CGraphicsDlg dialog;
    RunDialog(dialog, [&] {
        dialog.toolPath = ".\\DrvPicker.exe";
        Click(dialog.toolButton);
        ASSERT_TRUE(WaitUntil([&] { return std::filesystem::exists("starts"); }, 5000));
        dialog.EndDialog(IDCANCEL);
    });
    WriteFile(std::filesystem::path(dir) / "destroyed", "");
}

TEST(DriverToolAbandoned, WindowDestroyedWhileTheToolWaitsTheProcessEndsAndTheToolRunsOn) {
    StandInTool tool;
    const std::string dirSetting = std::string(kToolDirVariable) + "=" + tool.dir().string();
    // ThreadSanitizer would hold the exit for a second while a thread runs.
    std::string sanitizer = "TSAN_OPTIONS=atexit_sleep_ms=0";
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        if (std::string_view(*e).starts_with("TSAN_OPTIONS="))
            sanitizer = std::string(*e) + ":atexit_sleep_ms=0";
        else
            env.emplace_back(*e);
    }
    env.push_back(dirSetting);
    env.push_back(sanitizer);
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    std::string filter = "--gtest_filter=DriverToolAbandonedChild.*";
    std::string disabled = "--gtest_also_run_disabled_tests";
    char* argv[] = {self.data(), filter.data(), disabled.data(), nullptr};
    pid_t child = -1;
    ASSERT_EQ(::posix_spawn(&child, self.c_str(), nullptr, nullptr, argv, envp.data()), 0);

    auto childEnded = [&](int& status) { return ::waitpid(child, &status, WNOHANG) == child; };
    int status = -1;
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(25);
    while (!std::filesystem::exists(tool.dir() / "destroyed") && !childEnded(status) &&
           std::chrono::steady_clock::now() < limit)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(std::filesystem::exists(tool.dir() / "destroyed"));

    // The process ends without waiting for the tool.
    bool ended = status != -1;
    for (int i = 0; i < 100 && !ended; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ended = childEnded(status);
    }
    if (!ended) {
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
        ADD_FAILURE() << "the process did not end within a second of the window's end";
    } else {
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    }

    // The tool is still running, and ends when released.
    ASSERT_EQ(tool.Starts().size(), 1u);
    EXPECT_TRUE(tool.Finished().empty());
    EXPECT_EQ(::kill(tool.Starts()[0], 0), 0);
    tool.Release();
    for (int i = 0; i < 300 && tool.Finished().empty(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(tool.Finished(), tool.Starts());
}

} // namespace
} // namespace kvn::test
