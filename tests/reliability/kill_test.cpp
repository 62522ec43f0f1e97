// A writer killed (SIGKILL) at random moments of a loop of writes leaves the
// file as it was before or after a write, never empty, cut or mixed; the
// temporary file it may leave is removed by the next write.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "platform/profile/profile.h"
#include "tests/reliability/shared_file.h"
#include "tests/support/child_process.h"
#include "tests/support/profile_value.h"
#include "tests/support/ram_dir.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace kvn::test;
namespace fs = std::filesystem;

constexpr int kKills = 1000;

BOOL WriteValue(const std::string& path, const std::string& value) {
    return WritePrivateProfileStringA(kSection, kKey, value.c_str(), path.c_str());
}

std::string ReadValue(const std::string& path) {
    return ProfileValue(path, kSection, kKey, 4000);
}

// Counts the files beside the settings file.
int CountLeftovers(const fs::path& dir) {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(dir))
        count += entry.path().filename() != "kvn.ini";
    return count;
}

// The mean time of one write, to spread the kills over whole writes.
std::chrono::microseconds TimeOneWrite(const std::string& path) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 20; ++i)
        WriteValue(path, i % 2 ? kLongValue : kShortValue);
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() -
                                                                 start) /
           20;
}

TEST(OurProfileKill, AWriterKilledAnywhereLeavesTheOldOrTheNewFile) {
    RamDir dir;
    const std::string path = (dir.path() / "kvn.ini").string();
    const std::string shortFile = SharedFile(kShortValue), longFile = SharedFile(kLongValue);
    WriteFile(path, shortFile);
    ASSERT_TRUE(WriteValue(path, kLongValue));
    ASSERT_EQ(ReadFile(path), longFile) << "a write must change only its line";
    const auto writeTime = TimeOneWrite(path);
    const long maxDelay = std::max<long>(50, 3 * writeTime.count());

    std::mt19937 random(20261208);
    std::uniform_int_distribution<long> delay(0, maxDelay);
    int shortSeen = 0, longSeen = 0, leftovers = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t pid = StartChild([&] {
            ::close(ready[0]);
            // Alternates the two versions forever; reports after the first write.
            for (unsigned n = 0;; ++n) {
                WriteValue(path, n % 2 ? kLongValue : kShortValue);
                if (n == 0) {
                    const char byte = 1;
                    if (::write(ready[1], &byte, 1) != 1)
                        return false;
                    ::close(ready[1]);
                }
            }
        });
        ASSERT_GT(pid, 0);
        ::close(ready[1]);
        char byte;
        ASSERT_EQ(::read(ready[0], &byte, 1), 1);
        ::close(ready[0]);
        ::usleep(static_cast<useconds_t>(delay(random)));
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "writer " << DescribeStatus(status);

        const std::string bytes = ReadFile(path);
        if (bytes == shortFile) {
            ++shortSeen;
            ASSERT_EQ(ReadValue(path), kShortValue);
        } else if (bytes == longFile) {
            ++longSeen;
            ASSERT_EQ(ReadValue(path), kLongValue);
        } else {
            FAIL() << "kill " << kill << " left a file of " << bytes.size()
                   << " bytes that is neither version (" << shortFile.size() << " or "
                   << longFile.size() << " bytes)";
        }
        // The next writer removes what this one left: at most one file is
        // ever there.
        const int left = CountLeftovers(dir.path());
        ASSERT_LE(left, 1) << "kill " << kill;
        leftovers += left;
    }
    // Both versions turn up, so the kills did land between and within writes.
    EXPECT_GT(shortSeen, 0);
    EXPECT_GT(longSeen, 0);
    RecordProperty("kills", kKills);
    RecordProperty("old_version", shortSeen);
    RecordProperty("new_version", longSeen);
    RecordProperty("files_left_by_killed_writers", leftovers);
    std::printf("%d kills (write %ld us, delays up to %ld us): %d short, %d long version, "
                "%d files left beside it\n",
                kKills, static_cast<long>(writeTime.count()), maxDelay, shortSeen, longSeen,
                leftovers);

    // A killed writer holds no lock any more: the next write goes through.
    EXPECT_EQ(RunInChild(
                  [&]() -> std::string {
                      return WriteValue(path, "64") ? "" : "the write after the kills failed";
                  },
                  10),
              "");
    EXPECT_EQ(ReadValue(path), "64");
    EXPECT_EQ(CountLeftovers(dir.path()), 0) << "a temporary file survived the next save";
}

TEST(OurProfileKill, OnlyTemporaryFilesOfGoneWritersAreRemoved) {
    RamDir dir;
    const std::string path = (dir.path() / "kvn.ini").string();
    WriteFile(path, SharedFile(kShortValue));
    const pid_t gone = StartChild([] { return true; });
    ::waitpid(gone, nullptr, 0);
    const std::string dead = std::to_string(gone), alive = std::to_string(::getppid());
    // A live writer's file, another file's, names not quite ours.
    const std::vector<std::string> kept = {
        ".kvn.ini." + alive + ".1f.0.tmp", ".other.ini." + dead + ".1f.0.tmp",
        ".kvn.ini." + dead + ".1f.tmp", ".kvn.ini." + dead + ".1f.0.tmp~",
        "kvn.ini." + dead + ".1f.0.tmp"};
    for (const std::string& name : kept)
        WriteFile((dir.path() / name).string(), "x");
    WriteFile((dir.path() / (".kvn.ini." + dead + ".1f.0.tmp")).string(), "x");
    ASSERT_TRUE(WriteValue(path, kLongValue));
    EXPECT_EQ(CountLeftovers(dir.path()), static_cast<int>(kept.size()));
    for (const std::string& name : kept)
        EXPECT_TRUE(fs::exists(dir.path() / name)) << name;
}

} // namespace
