// The program itself, started as a process on the Linux display. Linux only:
// the Windows stage's black-box check (tests/windows/black_box.sh) starts
// KVNConfig.exe.
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include <gtest/gtest.h>

#include "tests/gui/settings_files.h"
#include "tests/support/temp_dir.h"

namespace kvn::test {
namespace {

// The program takes no command line: toolkit options such as --display are
// ignored like any other argument.
TEST(Shell, TheProgramIgnoresItsArgumentsAndExitsWithZero) {
    TempPrefix prefix;
    const std::string original = SharedFile("MipMapping=ON", "", "MaxRAMForAGP=AUTO");
    WriteFile(prefix.settingsFile(), original);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        execl(KVN_PROGRAM, "KVNConfig", "--display=:9", "--help", "-x",
              static_cast<char*>(nullptr));
        _exit(127);
    }
    // The window appears with the program's name, then Escape closes it.
    const std::string find = "timeout 10 xdotool search --sync --onlyvisible --name '^KVNConfig$'";
    std::string window;
    if (FILE* pipe = popen(find.c_str(), "r")) {
        char line[64] = "";
        if (fgets(line, sizeof line, pipe))
            window = line;
        pclose(pipe);
    }
    EXPECT_FALSE(window.empty());
    const std::string key =
        "xdotool windowfocus --sync " + window.substr(0, window.find('\n')) + " key Escape";
    EXPECT_EQ(std::system(key.c_str()), 0);

    int status = -1;
    for (int i = 0; i < 100 && waitpid(child, &status, WNOHANG) == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    if (waitpid(child, &status, WNOHANG) == 0) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        FAIL() << "the program did not end";
    }
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadFile(prefix.settingsFile()), original);
}

TEST(Shell, WithoutADisplayTheProgramEndsWithAMessageInsteadOfCrashing) {
    const std::string command =
        std::string("env -u DISPLAY -u WAYLAND_DISPLAY ") + KVN_PROGRAM + " 2>/dev/null";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_NE(WEXITSTATUS(status), 0);
}

} // namespace
} // namespace kvn::test
