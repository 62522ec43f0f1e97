// The Windows directory comes from the Wine prefix.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "platform/paths/windows_directory.h"

namespace {

// Sets or clears an environment variable while it lives.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnv() {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(OurWindowsDirectory, ComesFromWinePrefixOrHome) {
    char buffer[100];
    {
        ScopedEnv prefix("WINEPREFIX", "/games/zolt/");
        EXPECT_EQ(GetWindowsDirectoryA(buffer, sizeof buffer), 27u);
        EXPECT_STREQ(buffer, "/games/zolt/drive_c/windows");
    }
    ScopedEnv prefix("WINEPREFIX", nullptr);
    ScopedEnv home("HOME", "/home/player");
    EXPECT_EQ(GetWindowsDirectoryA(buffer, sizeof buffer), 34u);
    EXPECT_STREQ(buffer, "/home/player/.wine/drive_c/windows");
}

TEST(OurWindowsDirectory, TooLongLeavesTheBufferUntouched) {
    const std::string root = "/" + std::string(82, 'p'); // + "/drive_c/windows" = 99 characters
    char buffer[100];
    {
        ScopedEnv prefix("WINEPREFIX", root.c_str());
        EXPECT_EQ(GetWindowsDirectoryA(buffer, sizeof buffer), 99u);
        EXPECT_EQ(std::string(buffer), root + "/drive_c/windows");
    }
    ScopedEnv prefix("WINEPREFIX", (root + "p").c_str());
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(GetWindowsDirectoryA(buffer, sizeof buffer), 101u); // size needed, with the NUL
    EXPECT_EQ(std::string(buffer, sizeof buffer), std::string(100, 'x'));
}

} // namespace
