// Files that are not what they should be: reads give the defaults, writes
// fail or add only their own line, nothing else in the file changes.
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <random>
#include <string>

#include "platform/profile/profile.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using kvn::test::ReadFile;
using kvn::test::TempDir;
using kvn::test::WriteFile;

std::string Get(const std::string& file) {
    char buffer[100];
    GetPrivateProfileStringA("ZOLT", "MipMapping", "AUTO", buffer, sizeof buffer, file.c_str());
    return buffer;
}

UINT GetInt(const std::string& file) {
    return GetPrivateProfileIntA("ZOLT", "LowGraphicMode", 7, file.c_str());
}

constexpr int kCannotDropPrivileges = 77;

// Runs `body` in a child process without root's power over permissions (as
// nobody when we are root) and returns its exit status: 0 when it succeeded.
int RunUnprivileged(const std::function<bool()>& body) {
    const pid_t pid = ::fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        if (::geteuid() == 0) {
            const passwd* nobody = ::getpwnam("nobody");
            const uid_t uid = nobody ? nobody->pw_uid : 65534;
            const gid_t gid = nobody ? nobody->pw_gid : 65534;
            if (::setgroups(0, nullptr) != 0 || ::setresgid(gid, gid, gid) != 0 ||
                ::setresuid(uid, uid, uid) != 0)
                ::_exit(kCannotDropPrivileges);
        }
        ::_exit(body() ? 0 : 1);
    }
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

#define EXPECT_UNPRIVILEGED(body)                                                                  \
    do {                                                                                           \
        const int status = RunUnprivileged(body);                                                  \
        if (status == kCannotDropPrivileges)                                                       \
            GTEST_SKIP() << "cannot switch to an unprivileged user here";                          \
        EXPECT_EQ(status, 0);                                                                      \
    } while (false)

class OurProfileBadInput : public ::testing::Test {
  protected:
    void SetUp() override {
        // Let an unprivileged child reach the folder.
        ::chmod(dir_.path().c_str(), 0755);
    }
    // Reads give the defaults and a write fails, leaving the file as it was.
    void ExpectDefaultsAndNoWrite(const std::string& bytes) {
        WriteFile(file_, bytes);
        EXPECT_EQ(Get(path_), "AUTO");
        EXPECT_EQ(GetInt(path_), 7u);
        EXPECT_FALSE(WritePrivateProfileStringA("ZOLT", "MipMapping", "ON", path_.c_str()));
        EXPECT_EQ(ReadFile(file_), bytes);
    }

    TempDir dir_;
    fs::path file_ = dir_.path() / "kvn.ini";
    std::string path_ = file_.string();
};

TEST_F(OurProfileBadInput, BinaryJunk) {
    std::mt19937 random(42);
    std::string junk(64 * 1024, '\0');
    for (char& c : junk)
        c = static_cast<char>(random());
    WriteFile(file_, junk);
    EXPECT_EQ(Get(path_), "AUTO");
    EXPECT_EQ(GetInt(path_), 7u);
    // Odd bytes do not block a write: it adds its lines and keeps the rest.
    EXPECT_TRUE(WritePrivateProfileStringA("ZOLT", "MipMapping", "ON", path_.c_str()));
    EXPECT_EQ(ReadFile(file_).substr(0, junk.size()), junk);
    EXPECT_EQ(Get(path_), "ON");
    // Only NUL bytes: as good as UTF-16 without its mark.
    ExpectDefaultsAndNoWrite(std::string(1000, '\0'));
}

TEST_F(OurProfileBadInput, Utf16WithoutByteOrderMark) {
    std::string bytes;
    for (const char c : std::string("[ZOLT]\r\nMipMapping=OFF\r\nLowGraphicMode=1\r\n")) {
        bytes += c;
        bytes += '\0';
    }
    ExpectDefaultsAndNoWrite(bytes);
    EXPECT_EQ(errno, EILSEQ); // the reason a caller can report
}

TEST_F(OurProfileBadInput, StrayNulBytesAndHugeLinesStillWork) {
    // A few NUL bytes do not make a text file binary: the write adds its line.
    const std::string nul("Top=\0\0\r\n[ZOLT]\r\nA=1\0x\r\n", 23);
    WriteFile(file_, nul);
    EXPECT_TRUE(WritePrivateProfileStringA("ZOLT", "MipMapping", "ON", path_.c_str()));
    EXPECT_EQ(ReadFile(file_), nul + "MipMapping=ON\r\n");

    const std::string line(1 << 20, 'x');
    WriteFile(file_, line);
    EXPECT_EQ(Get(path_), "AUTO");
    EXPECT_TRUE(WritePrivateProfileStringA("ZOLT", "MipMapping", "ON", path_.c_str()));
    EXPECT_EQ(ReadFile(file_), line + "\r\n[ZOLT]\r\nMipMapping=ON\r\n");
    EXPECT_EQ(Get(path_), "ON");

    // A 1 MB value is returned cut to the buffer.
    WriteFile(file_, "[ZOLT]\nMipMapping=" + line + "\n");
    EXPECT_EQ(Get(path_), std::string(99, 'x'));
}

TEST_F(OurProfileBadInput, HugeFileIsNotRead) {
    WriteFile(file_, "[ZOLT]\r\nMipMapping=OFF\r\n");
    fs::resize_file(file_, 100u << 20); // sparse: costs no disk space
    EXPECT_EQ(Get(path_), "AUTO");
    EXPECT_FALSE(WritePrivateProfileStringA("ZOLT", "MipMapping", "ON", path_.c_str()));
    EXPECT_EQ(errno, EFBIG);
    EXPECT_EQ(fs::file_size(file_), 100u << 20);
}

TEST_F(OurProfileBadInput, FolderWhereTheFileShouldBe) {
    fs::create_directory(file_);
    EXPECT_EQ(Get(path_), "AUTO");
    EXPECT_FALSE(WritePrivateProfileStringA("ZOLT", "MipMapping", "ON", path_.c_str()));
    EXPECT_TRUE(fs::is_directory(file_));
}

TEST_F(OurProfileBadInput, ReadOnlyFile) {
    // No write permission at all is the read-only attribute: even root may
    // not write.
    const std::string bytes = "[ZOLT]\r\nMipMapping=OFF\r\n";
    WriteFile(file_, bytes);
    ::chmod(file_.c_str(), 0444);
    EXPECT_EQ(Get(path_), "OFF");
    EXPECT_FALSE(WritePrivateProfileStringA("ZOLT", "MipMapping", "ON", path_.c_str()));
    EXPECT_EQ(ReadFile(file_), bytes);

    // Owned by someone else and writable only by the owner, in a folder that
    // would allow a replacement.
    ::chmod(file_.c_str(), 0644);
    ::chmod(dir_.path().c_str(), 0777);
    EXPECT_UNPRIVILEGED(([&] {
        return Get(path_) == "OFF" &&
               !WritePrivateProfileStringA("ZOLT", "MipMapping", "ON", path_.c_str());
    }));
    EXPECT_EQ(ReadFile(file_), bytes);
}

TEST_F(OurProfileBadInput, UnreadableFile) {
    const std::string bytes = "[ZOLT]\r\nMipMapping=OFF\r\nLowGraphicMode=1\r\n";
    WriteFile(file_, bytes);
    ::chmod(file_.c_str(), 0600);
    ::chmod(dir_.path().c_str(), 0777); // the folder itself would allow a replacement
    EXPECT_UNPRIVILEGED(([&] {
        return Get(path_) == "AUTO" && GetInt(path_) == 7 &&
               !WritePrivateProfileStringA("ZOLT", "MipMapping", "ON", path_.c_str());
    }));
    EXPECT_EQ(ReadFile(file_), bytes);
}

TEST_F(OurProfileBadInput, ReadOnlyFolder) {
    const std::string bytes = "[ZOLT]\r\nMipMapping=OFF\r\n";
    WriteFile(file_, bytes);
    ::chmod(file_.c_str(), 0666); // the file itself would allow writing
    ::chmod(dir_.path().c_str(), 0555);
    EXPECT_UNPRIVILEGED(([&] {
        return Get(path_) == "OFF" &&
               !WritePrivateProfileStringA("ZOLT", "MipMapping", "ON", path_.c_str()) &&
               !WritePrivateProfileStringA("ZOLT", "Other", "1", (dir_.path() / "new.ini").c_str());
    }));
    EXPECT_EQ(ReadFile(file_), bytes);
    EXPECT_FALSE(fs::exists(dir_.path() / "new.ini"));
}

} // namespace
