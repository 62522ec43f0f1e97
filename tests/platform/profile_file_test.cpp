// How the profile functions find and replace files on this system.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "platform/profile/profile.h"
#include "tests/support/profile_value.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using kvn::test::ReadFile;
using kvn::test::ScopedCurrentDir;
using kvn::test::TempDir;
using kvn::test::TempPrefix;
using kvn::test::WriteFile;

std::string Get(const char* section, const char* key, const std::string& file) {
    return kvn::test::ProfileValue(file, section, key);
}

TEST(OurProfileFile, ReplacementKeepsPermissionBits) {
    TempDir dir;
    const fs::path file = dir.path() / "kvn.ini";
    WriteFile(file, "[ZOLT]\nA=1\n");
    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
    struct stat before {};
    ASSERT_EQ(::stat(file.c_str(), &before), 0);

    EXPECT_TRUE(WritePrivateProfileStringA("ZOLT", "A", "2", file.c_str()));
    struct stat after {};
    ASSERT_EQ(::stat(file.c_str(), &after), 0);
    EXPECT_NE(before.st_ino, after.st_ino); // replaced by a new file, not rewritten in place
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_EQ(ReadFile(file), "[ZOLT]\nA=2\n");
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(OurProfileFile, WritesThroughSymlinks) {
    TempDir dir;
    fs::create_directory(dir.path() / "real");
    const fs::path target = dir.path() / "real" / "kvn.ini";
    const fs::path link = dir.path() / "kvn.ini";
    WriteFile(target, "[ZOLT]\r\nA=1\r\n");
    fs::create_symlink("real/kvn.ini", link);

    EXPECT_TRUE(WritePrivateProfileStringA("ZOLT", "A", "2", link.c_str()));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadFile(target), "[ZOLT]\r\nA=2\r\n");
    EXPECT_EQ(Get("ZOLT", "A", link.string()), "2");
}

TEST(OurProfileFile, NeverCreatesAFolder) {
    TempDir dir;
    const fs::path file = dir.path() / "korvane" / "kvn.ini";
    EXPECT_FALSE(WritePrivateProfileStringA("ZOLT", "A", "1", file.c_str()));
    EXPECT_FALSE(fs::exists(dir.path() / "korvane"));
}

TEST(OurProfileFile, WindowsPathsMatchFoldersAndFilesWithoutCase) {
    TempPrefix prefix;
    fs::create_directories(prefix.windows() / "Korvane");
    const fs::path stored = prefix.windows() / "Korvane" / "KVN.INI";
    WriteFile(stored, "[ZOLT]\r\nMipMapping=OFF\r\n");

    const std::string path = prefix.windows().string() + "\\korvane\\kvn.ini";
    EXPECT_EQ(Get("ZOLT", "MipMapping", path), "OFF");
    EXPECT_TRUE(WritePrivateProfileStringA("ZOLT", "MipMapping", "ON", path.c_str()));
    EXPECT_EQ(ReadFile(stored), "[ZOLT]\r\nMipMapping=ON\r\n");
    EXPECT_FALSE(fs::exists(prefix.windows() / "korvane"));

    // A bare file name is in the Windows directory.
    WriteFile(prefix.windows() / "game.ini", "[S]\r\nK=V\r\n");
    EXPECT_EQ(Get("S", "K", "GAME.INI"), "V");
}

TEST(OurProfileFile, DotBackslashIsTheCurrentFolder) {
    TempDir dir;
    ScopedCurrentDir cwd(dir.path());
    WriteFile(dir.path() / "KVNConfig.ini", "[English]\r\nTITLE=Graphics\r\n");
    EXPECT_EQ(Get("English", "TITLE", ".\\KVNConfig.ini"), "Graphics");
    EXPECT_TRUE(WritePrivateProfileStringA("English", "OK", "Fine", ".\\kvnconfig.ini"));
    EXPECT_EQ(ReadFile(dir.path() / "KVNConfig.ini"), "[English]\r\nTITLE=Graphics\r\nOK=Fine\r\n");
}

// Two processes writing different keys of one section at the same time: the
// folder lock serialises them, so every key written is there afterwards.
TEST(OurProfileFile, ConcurrentWritersLoseNoUpdate) {
    TempDir dir;
    const std::string file = (dir.path() / "kvn.ini").string();
    WriteFile(file, "[Other]\r\nX=1\r\n");
    constexpr int kWrites = 60;
    pid_t children[2];
    for (int child = 0; child < 2; ++child) {
        children[child] = ::fork();
        ASSERT_GE(children[child], 0);
        if (children[child] == 0) {
            bool ok = true;
            for (int i = 0; i < kWrites; ++i) {
                const std::string key = (child == 0 ? "A" : "B") + std::to_string(i);
                ok = WritePrivateProfileStringA("ZOLT", key.c_str(), "1", file.c_str()) && ok;
                ok = WritePrivateProfileStringA("ZOLT", child == 0 ? "LastA" : "LastB",
                                                std::to_string(i).c_str(), file.c_str()) &&
                     ok;
            }
            ::_exit(ok ? 0 : 1);
        }
    }
    for (const pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    for (int i = 0; i < kWrites; ++i) {
        EXPECT_EQ(Get("ZOLT", ("A" + std::to_string(i)).c_str(), file), "1") << i;
        EXPECT_EQ(Get("ZOLT", ("B" + std::to_string(i)).c_str(), file), "1") << i;
    }
    EXPECT_EQ(Get("ZOLT", "LastA", file), std::to_string(kWrites - 1));
    EXPECT_EQ(Get("ZOLT", "LastB", file), std::to_string(kWrites - 1));
    EXPECT_EQ(Get("Other", "X", file), "1");
}

} // namespace
