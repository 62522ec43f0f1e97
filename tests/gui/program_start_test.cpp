// The program itself, started as a process on the Linux display. Linux only:
// the Windows stage's black-box check (tests/windows/black_box.sh) starts
// KVNConfig.exe.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>

#include <gtest/gtest.h>

#include "tests/gui/settings_files.h"
#include "tests/support/temp_dir.h"

namespace kvn::test {
namespace {

// Starts the program with `arguments` after `prepare` has run in the child,
// waits for its window, presses `key` in it and returns the exit status, or
// -1 when the program did not end.
int RunProgram(const std::vector<const char*>& arguments, const std::function<void()>& prepare,
               const char* key) {
    const pid_t child = fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        prepare();
        std::vector<char*> argv;
        for (const char* a : arguments)
            argv.push_back(const_cast<char*>(a));
        argv.push_back(nullptr);
        execv(KVN_PROGRAM, argv.data());
        _exit(127);
    }
    // The window appears with the program's name, then the key goes to it.
    const std::string find = "timeout 10 xdotool search --sync --onlyvisible --name '^KVNConfig$'";
    std::string window;
    if (FILE* pipe = popen(find.c_str(), "r")) {
        char line[64] = "";
        if (fgets(line, sizeof line, pipe))
            window = line;
        pclose(pipe);
    }
    EXPECT_FALSE(window.empty());
    const std::string press =
        "xdotool windowfocus --sync " + window.substr(0, window.find('\n')) + " key " + key;
    EXPECT_EQ(std::system(press.c_str()), 0);

    int status = -1;
    for (int i = 0; i < 100 && waitpid(child, &status, WNOHANG) == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    if (waitpid(child, &status, WNOHANG) == 0) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        return -1;
    }
    return status;
}

// The program takes no command line: toolkit options such as --display are
// ignored like any other argument.
TEST(Shell, TheProgramIgnoresItsArgumentsAndExitsWithZero) {
    TempPrefix prefix;
    const std::string original = SharedFile("MipMapping=ON", "", "MaxRAMForAGP=AUTO");
    WriteFile(prefix.settingsFile(), original);
    const int status = RunProgram(
        {"KVNConfig", "--display=:9", "--help", "-x"}, [] {}, "Escape");
    ASSERT_TRUE(WIFEXITED(status)) << "the program did not end";
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadFile(prefix.settingsFile()), original);
}

// Started from the game's folder inside its own prefix, as Lutris, Bottles
// and the like keep it, without WINEPREFIX: that prefix's file is edited,
// ~/.wine's is not, and standard error says which file it was.
TEST(Shell, FromAGameFolderInsideAPrefixTheProgramEditsThatPrefix) {
    TempDir dir;
    const std::filesystem::path prefix = dir.path() / "Games/zolt";
    const std::filesystem::path game = prefix / "drive_c/Games/ZOLT";
    const std::filesystem::path file = prefix / "drive_c/windows/korvane/kvn.ini";
    const std::filesystem::path wine = dir.path() / "home/.wine/drive_c/windows/korvane/kvn.ini";
    std::filesystem::create_directories(game);
    std::filesystem::create_directories(file.parent_path());
    std::filesystem::create_directories(wine.parent_path());
    WriteFile(prefix / "system.reg", "WINE REGISTRY Version 2\n");
    const std::string original = SharedFile("MipMapping=ON", "", "MaxRAMForAGP=AUTO");
    WriteFile(file, original);
    WriteFile(wine, original);
    const std::filesystem::path log = dir.path() / "stderr.txt";

    const int status = RunProgram(
        {"KVNConfig"},
        [&] {
            unsetenv("WINEPREFIX");
            setenv("HOME", (dir.path() / "home").c_str(), 1);
            setenv("PWD", game.c_str(), 1);
            if (chdir(game.c_str()) != 0)
                _exit(126);
            const int fd = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            dup2(fd, 2);
        },
        "Return");
    ASSERT_TRUE(WIFEXITED(status)) << "the program did not end";
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_NE(ReadFile(file).find("LowGraphicMode=0\r\n"), std::string::npos);
    EXPECT_EQ(ReadFile(wine), original);
    EXPECT_NE(ReadFile(log).find(": editing the game's settings file " + file.string() + "\n"),
              std::string::npos)
        << ReadFile(log);
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
