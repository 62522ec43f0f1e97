// A write that runs out of space (a file-size limit, or a full file system)
// reports failure and leaves the old file as it was, with nothing beside it.
#include <gtest/gtest.h>

#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/profile/profile.h"
#include "settings/save_failure.h"
#include "tests/reliability/shared_file.h"
#include "tests/support/child_process.h"
#include "tests/support/ram_dir.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace kvn::test;
namespace fs = std::filesystem;

std::string OnlyTheFile(const fs::path& dir) {
    std::string others;
    for (const auto& entry : fs::directory_iterator(dir))
        if (entry.path().filename() != "kvn.ini")
            others += " " + entry.path().filename().string();
    return others.empty() ? "" : "left beside the file:" + others;
}

// In a child: the long version cannot be written within `limit` bytes.
std::string WriteUnderSizeLimit(const std::string& path, rlim_t limit) {
    std::signal(SIGXFSZ, SIG_IGN); // write() then fails with EFBIG instead
    const rlimit rl{limit, limit};
    if (::setrlimit(RLIMIT_FSIZE, &rl) != 0)
        return std::string("setrlimit: ") + std::strerror(errno);
    const BOOL ok = WritePrivateProfileStringA(kSection, kKey, kLongValue.c_str(), path.c_str());
    const std::string where = " with a limit of " + std::to_string(limit) + " bytes";
    if (ok)
        return "the write reported success" + where;
    if (ReadFile(path) != SharedFile(kShortValue))
        return "the old file changed" + where;
    return OnlyTheFile(fs::path(path).parent_path());
}

TEST(OurProfileDiskFull, AWriteBeyondTheFileSizeLimitFailsAndKeepsTheOldFile) {
    RamDir dir;
    const std::string path = (dir.path() / "kvn.ini").string();
    const std::string oldFile = SharedFile(kShortValue), newFile = SharedFile(kLongValue);
    WriteFile(path, oldFile);
    for (const rlim_t limit :
         {rlim_t{0}, rlim_t{1}, rlim_t{4096}, rlim_t{oldFile.size() - 1}, rlim_t{oldFile.size()},
          rlim_t{oldFile.size() + 1000}, rlim_t{newFile.size() - 1}})
        EXPECT_EQ(RunInChild([&] { return WriteUnderSizeLimit(path, limit); }), "");

    // The same write within the limit succeeds: the limit alone made the difference.
    EXPECT_EQ(RunInChild([&]() -> std::string {
                  const rlimit rl{newFile.size(), newFile.size()};
                  ::setrlimit(RLIMIT_FSIZE, &rl);
                  return WritePrivateProfileStringA(kSection, kKey, kLongValue.c_str(),
                                                    path.c_str())
                             ? ""
                             : "the write failed within the limit";
              }),
              "");
    EXPECT_TRUE(ReadFile(path) == newFile);
}

// Fills the file system at `dir` with one file; returns the bytes written.
std::size_t FillUp(const fs::path& filler) {
    std::FILE* f = std::fopen(filler.c_str(), "wb");
    if (f == nullptr)
        return 0;
    std::setvbuf(f, nullptr, _IONBF, 0);
    const std::string chunk(1024, 'x');
    std::size_t total = 0;
    while (std::fwrite(chunk.data(), 1, chunk.size(), f) == chunk.size())
        total += chunk.size();
    std::fclose(f);
    return total;
}

TEST(OurProfileDiskFull, AWriteOnAFullFileSystemFailsAndKeepsTheOldFile) {
    TempDir dir;
    const fs::path mount = dir.path() / "small";
    fs::create_directory(mount);
    const std::string path = (mount / "kvn.ini").string();
    const std::string result = RunInChild([&]() -> std::string {
        // A 64 KB RAM file system in a mount namespace of the child's own.
        if (::unshare(CLONE_NEWNS) != 0 ||
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", mount.c_str(), "tmpfs", 0, "size=64k") != 0)
            return std::string("SKIP: cannot mount a small file system here: ") +
                   std::strerror(errno);
        WriteFile(path, SharedFile(kShortValue));
        const fs::path filler = mount / "filler";
        if (FillUp(filler) == 0)
            return "could not fill the file system";
        if (WritePrivateProfileStringA(kSection, kKey, kLongValue.c_str(), path.c_str()))
            return "the write reported success on a full file system";
        if (ReadFile(path) != SharedFile(kShortValue))
            return "the old file changed";
        fs::remove(filler);
        if (const std::string left = OnlyTheFile(mount); !left.empty())
            return left;
        // With room again, the same write goes through.
        if (!WritePrivateProfileStringA(kSection, kKey, kLongValue.c_str(), path.c_str()))
            return "the write failed with room to spare";
        return ReadFile(path) == SharedFile(kLongValue) ? "" : "the new file is wrong";
    });
    if (result.rfind("SKIP: ", 0) == 0)
        GTEST_SKIP() << result.substr(6);
    EXPECT_EQ(result, "");
}

TEST(OurProfileDiskFull, ASaveOnAFullDiskSaysSo) {
    TempPrefix prefix;
    const fs::path file = prefix.settingsFile();
    const std::string result = RunInChild([&]() -> std::string {
        if (::unshare(CLONE_NEWNS) != 0 ||
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", file.parent_path().c_str(), "tmpfs", 0, "size=64k") != 0)
            return std::string("SKIP: cannot mount a small file system here: ") +
                   std::strerror(errno);
        WriteFile(file, SharedFile(kShortValue));
        if (FillUp(file.parent_path() / "filler") == 0)
            return "could not fill the file system";
        GameSettings chosen;
        chosen.agpMode = AgpMemoryMode::Specify;
        chosen.agpMemoryMb = 64;
        const SaveResult saved = SaveSettings(chosen);
        if (saved)
            return "the save reported success on a full disk";
        return SaveFailureMessage(saved);
    });
    if (result.rfind("SKIP: ", 0) == 0)
        GTEST_SKIP() << result.substr(6);
    EXPECT_EQ(result,
              "The settings could not be saved to " + file.string() + ".\n\nThe disk is full.");
}

// The disk fills between a save's three writes (here: the file may grow no
// further): the keys written before stay written, and the message says which
// were saved and which were not.
TEST(OurProfileDiskFull, ASaveCutShortSaysWhatWasSavedAndWhatWasNot) {
    TempPrefix prefix;
    const fs::path file = prefix.settingsFile();
    GameSettings chosen;
    chosen.mipMapping = MipMappingMode::On;
    chosen.lowGraphicMode = 1;
    chosen.agpMode = AgpMemoryMode::Specify;
    chosen.agpMemoryMb = 64;
    const std::string before = "[ZOLT]\r\n";
    const std::string one = before + "MipMapping=ON\r\n";
    const std::string two = one + "LowGraphicMode=1\r\n";
    const std::string partly = "Only part of the settings could be saved to " + file.string();
    const struct {
        std::string room; // the file as far as it can grow
        std::string message;
    } cases[] = {
        {one, partly + ": MipMapping was saved; LowGraphicMode and MaxRAMForAGP were not.\n\n"
                       "The file is too large."},
        {two, partly + ": MipMapping and LowGraphicMode were saved; MaxRAMForAGP was not.\n\n"
                       "The file is too large."},
    };
    for (const auto& c : cases) {
        WriteFile(file, before);
        EXPECT_EQ(RunInChild([&]() -> std::string {
                      std::signal(SIGXFSZ, SIG_IGN); // write() then fails with EFBIG instead
                      const rlimit rl{c.room.size(), c.room.size()};
                      if (::setrlimit(RLIMIT_FSIZE, &rl) != 0)
                          return std::string("setrlimit: ") + std::strerror(errno);
                      const SaveResult saved = SaveSettings(chosen);
                      return saved ? "the save reported success" : SaveFailureMessage(saved);
                  }),
                  c.message);
        EXPECT_EQ(ReadFile(file), c.room);
    }
}

} // namespace
