// The driver tool outlives the dialog: a window destroyed while the tool
// waits, in a process of its own that ends without waiting for the tool.
#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <chrono>
#include <cstdlib>
#include <string_view>
#include <thread>

#include <gtest/gtest.h>

#include "tests/gui/dialog_driver.h"
#include "tests/gui/settings_files.h"
#include "tests/gui/stand_in_tool.h"
#include "tests/support/temp_dir.h"

#ifndef _WIN32
extern char** environ;
#endif

namespace kvn::test {
namespace {

constexpr const char* kToolDirVariable = "KVN_STAND_IN_TOOL_DIR";

// This test program in a child process, running only the child test below
// with the tool's folder in its environment.
class ChildTestRun {
  public:
    explicit ChildTestRun(const std::filesystem::path& toolDir);
    ~ChildTestRun() { Kill(); }
    ChildTestRun(const ChildTestRun&) = delete;
    ChildTestRun& operator=(const ChildTestRun&) = delete;

    bool started() const { return started_; }
    // Whether the child has ended; then `exitCode` holds its exit status, or
    // -1 when a signal ended it.
    bool Ended(int& exitCode);
    void Kill();

  private:
    bool started_ = false;
    bool ended_ = false;
#ifdef _WIN32
    HANDLE process_ = nullptr;
#else
    pid_t pid_ = -1;
#endif
};

#ifdef _WIN32
ChildTestRun::ChildTestRun(const std::filesystem::path& toolDir) {
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(self, length) +
                           L"\" --gtest_filter=DriverToolAbandonedChild.*"
                           L" --gtest_also_run_disabled_tests";
    // The child inherits the variable.
    SetEnvironmentVariableW(L"KVN_STAND_IN_TOOL_DIR", toolDir.wstring().c_str());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    started_ = CreateProcessW(self, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              &startup, &info) != FALSE;
    SetEnvironmentVariableW(L"KVN_STAND_IN_TOOL_DIR", nullptr);
    if (!started_)
        return;
    CloseHandle(info.hThread);
    process_ = info.hProcess;
}

bool ChildTestRun::Ended(int& exitCode) {
    if (!started_ || WaitForSingleObject(process_, 0) != WAIT_OBJECT_0)
        return false;
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    CloseHandle(process_);
    exitCode = static_cast<int>(code);
    ended_ = true;
    return true;
}

void ChildTestRun::Kill() {
    if (!started_ || ended_)
        return;
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, INFINITE);
    CloseHandle(process_);
    ended_ = true;
}

bool IsRunning(int pid) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
    const bool running = process != nullptr && WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    if (process != nullptr)
        CloseHandle(process);
    return running;
}
#else
ChildTestRun::ChildTestRun(const std::filesystem::path& toolDir) {
    const std::string dirSetting = std::string(kToolDirVariable) + "=" + toolDir.string();
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
    started_ = ::posix_spawn(&pid_, self.c_str(), nullptr, nullptr, argv, envp.data()) == 0;
}

bool ChildTestRun::Ended(int& exitCode) {
    int status = 0;
    if (!started_ || ::waitpid(pid_, &status, WNOHANG) != pid_)
        return false;
    exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    ended_ = true;
    return true;
}

void ChildTestRun::Kill() {
    if (!started_ || ended_)
        return;
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    ended_ = true;
}

bool IsRunning(int pid) {
    return ::kill(pid, 0) == 0;
}
#endif

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
    ChildTestRun child(tool.dir());
    ASSERT_TRUE(child.started());

    int exitCode = -2;
    bool ended = false;
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(25);
    while (!std::filesystem::exists(tool.dir() / "destroyed") && !(ended = child.Ended(exitCode)) &&
           std::chrono::steady_clock::now() < limit)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(std::filesystem::exists(tool.dir() / "destroyed"));

    // The process ends without waiting for the tool.
    for (int i = 0; i < 100 && !ended; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ended = child.Ended(exitCode);
    }
    if (!ended)
        ADD_FAILURE() << "the process did not end within a second of the window's end";
    else
        EXPECT_EQ(exitCode, 0);

    // The tool is still running, and ends when released.
    ASSERT_EQ(tool.Starts().size(), 1u);
    EXPECT_TRUE(tool.Finished().empty());
    EXPECT_TRUE(IsRunning(tool.Starts()[0]));
    tool.Release();
    for (int i = 0; i < 300 && tool.Finished().empty(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(tool.Finished(), tool.Starts());
}

} // namespace
} // namespace kvn::test
