// Processes writing different keys of one section at the same time: no update
// is lost at any moment, every key ends with the last value its writer wrote,
// and the lines no one wrote stay as they were.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/profile/profile.h"
#include "tests/support/child_process.h"
#include "tests/support/profile_value.h"
#include "tests/support/ram_dir.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace kvn::test;
namespace fs = std::filesystem;

constexpr int kWrites = 1000;
const std::string kStart = "[Display]\r\nWidth=640\r\n\r\n[ZOLT]\r\nLanguage=French\r\n"
                           "DDDriver=display\r\n\r\n[Sound]\r\nVolume=80\r\n";

std::string Read(const std::string& path, const char* section, const std::string& key) {
    return ProfileValue(path, section, key.c_str());
}

// Starts `writers` processes together; each writes Writer<i> = 1..kWrites.
void RunWriters(int writers) {
    RamDir dir;
    const std::string path = (dir.path() / "kvn.ini").string();
    WriteFile(path, kStart);
    int go[2];
    ASSERT_EQ(::pipe(go), 0);
    std::vector<pid_t> pids;
    for (int w = 0; w < writers; ++w)
        pids.push_back(StartChild([&, w] {
            ::close(go[1]);
            char byte;
            if (::read(go[0], &byte, 1) != 0) // returns at end of file: all start at once
                return false;
            // Others change only their own keys, so each of this writer's
            // values stays until it writes the next one.
            const std::string key = "Writer" + std::to_string(w);
            bool intact = true;
            for (int n = 1; n <= kWrites; ++n) {
                if (n > 1)
                    intact &= Read(path, "ZOLT", key) == std::to_string(n - 1);
                intact &= WritePrivateProfileStringA("ZOLT", key.c_str(), std::to_string(n).c_str(),
                                                     path.c_str()) != 0;
            }
            return intact;
        }));
    ::close(go[0]);
    ::close(go[1]);
    for (const pid_t pid : pids) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_EQ(DescribeStatus(status), "exited 0")
            << "a writer had a write fail or found its value undone";
    }

    for (int w = 0; w < writers; ++w)
        EXPECT_EQ(Read(path, "ZOLT", "Writer" + std::to_string(w)), std::to_string(kWrites))
            << "writer " << w << " lost its last update";
    EXPECT_EQ(Read(path, "ZOLT", "Language"), "French");
    EXPECT_EQ(Read(path, "ZOLT", "DDDriver"), "display");
    EXPECT_EQ(Read(path, "Display", "Width"), "640");
    EXPECT_EQ(Read(path, "Sound", "Volume"), "80");
    // Each writer added its line once, and nothing else changed.
    const std::string after = ReadFile(path);
    std::string withoutWriters;
    std::size_t start = 0;
    while (start < after.size()) {
        std::size_t end = after.find('\n', start);
        end = end == std::string::npos ? after.size() : end + 1;
        const std::string line = after.substr(start, end - start);
        if (line.rfind("Writer", 0) != 0)
            withoutWriters += line;
        start = end;
    }
    EXPECT_EQ(withoutWriters, kStart);
    EXPECT_EQ(after.size(), kStart.size() + static_cast<std::size_t>(writers) * 14);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 1)
        << "files left beside the file";
}

TEST(OurProfileConcurrentWriters, TwoProcessesKeepEveryLastValue) {
    RunWriters(2);
}

TEST(OurProfileConcurrentWriters, FourProcessesKeepEveryLastValue) {
    RunWriters(4);
}

} // namespace
