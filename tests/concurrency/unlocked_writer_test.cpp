// What happens when another program writes the file without our lock, as the
// game does. Such a writer can lose our update, or we its; these tests pin
// what is kept and measure what is lost (docs/reliability.md).
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

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
                           "Game=0\r\nDDDriver=display\r\n\r\n[Sound]\r\nVolume=80\r\n";

std::string Read(const std::string& path, const char* section, const char* key) {
    return ProfileValue(path, section, key);
}

// The other program's write: read the whole file, change its own line, and
// put the result back by renaming a temporary file over it, with no lock.
bool RenamingWrite(const std::string& path, int n) {
    std::string text = ReadFile(path);
    const std::size_t at = text.find("Game=");
    if (at == std::string::npos)
        return false;
    text.replace(at, text.find("\r\n", at) - at, "Game=" + std::to_string(n));
    WriteFile(path + ".game", text);
    return std::rename((path + ".game").c_str(), path.c_str()) == 0;
}

TEST(OurUnlockedWriter, ARenamingWriterMayLoseAnUpdateButNoLineIsLost) {
    RamDir dir;
    const std::string path = (dir.path() / "kvn.ini").string();
    int lostOurs = 0, lostGames = 0;
    constexpr int kRounds = 3;
    for (int round = 0; round < kRounds; ++round) {
        WriteFile(path, kStart);
        const pid_t game = StartChild([&] {
            for (int n = 1; n <= kWrites; ++n)
                RenamingWrite(path, n);
            return true;
        });
        for (int n = 1; n <= kWrites; ++n)
            WritePrivateProfileStringA("ZOLT", "MipMapping", std::to_string(n).c_str(),
                                       path.c_str());
        int status = 0;
        ::waitpid(game, &status, 0);
        lostOurs += Read(path, "ZOLT", "MipMapping") != std::to_string(kWrites);
        lostGames += Read(path, "ZOLT", "Game") != std::to_string(kWrites);
        // Whoever won, the file is whole: every line no one wrote is there.
        EXPECT_EQ(Read(path, "Display", "Width"), "640");
        EXPECT_EQ(Read(path, "ZOLT", "Language"), "French");
        EXPECT_EQ(Read(path, "ZOLT", "DDDriver"), "display");
        EXPECT_EQ(Read(path, "Sound", "Volume"), "80");
    }
    RecordProperty("rounds", kRounds);
    RecordProperty("our_last_update_lost", lostOurs);
    RecordProperty("their_last_update_lost", lostGames);
    std::printf("%d rounds of %d writes each against an unlocked renaming writer: our last update "
                "lost in %d, theirs in %d\n",
                kRounds, kWrites, lostOurs, lostGames);
}

TEST(OurUnlockedWriter, AFileCaughtHalfWrittenInPlaceIsSavedAsItStood) {
    // The game rewrites the file in place (truncate, then write). Caught
    // between the two halves of that write, our write reads half a file and
    // replaces the file with that half plus our line; the game's second half
    // then goes to the replaced file, and is lost.
    RamDir dir;
    const std::string path = (dir.path() / "kvn.ini").string();
    WriteFile(path, kStart);
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC);
    ASSERT_GE(fd, 0);
    const std::string firstHalf = kStart.substr(0, kStart.find("DDDriver"));
    ASSERT_EQ(::write(fd, firstHalf.data(), firstHalf.size()),
              static_cast<ssize_t>(firstHalf.size()));

    ASSERT_TRUE(WritePrivateProfileStringA("ZOLT", "MipMapping", "ON", path.c_str()));
    const std::string secondHalf = kStart.substr(firstHalf.size());
    ASSERT_EQ(::write(fd, secondHalf.data(), secondHalf.size()),
              static_cast<ssize_t>(secondHalf.size()));
    ::close(fd);

    EXPECT_EQ(Read(path, "ZOLT", "MipMapping"), "ON");
    EXPECT_EQ(Read(path, "ZOLT", "Language"), "French") << "what was read is kept";
    const bool lost = Read(path, "ZOLT", "DDDriver") == kMissing;
    RecordProperty("second_half_lost", lost ? 1 : 0);
    std::printf("in-place writer caught half-way: its second half %s\n",
                lost ? "is lost" : "survives");
}

} // namespace
