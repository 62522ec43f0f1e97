// Loading and saving the shared settings file when the folder or the file
// cannot be used: load gives the defaults (or what it could read), save fails
// without touching anything, and neither crashes nor hangs. Permission cases
// run as the user nobody, since root may write anywhere.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "settings/settings_file.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace kvn::test;
namespace fs = std::filesystem;

const std::string kStored = "[Display]\r\nWidth=640\r\n\r\n[ZOLT]\r\nLanguage=French\r\n"
                            "MipMapping=OFF\r\nLowGraphicMode=1\r\nMaxRAMForAGP=32\r\n"
                            "DDDriver=display\r\n\r\n[Sound]\r\nVolume=80\r\n";

GameSettings NewChoice() {
    GameSettings s;
    s.mipMapping = MipMappingMode::On;
    s.lowGraphicMode = 0;
    s.agpMode = AgpMemoryMode::Specify;
    s.agpMemoryMb = 64;
    return s;
}

std::string Loaded(const GameSettings& s) {
    return "mip " + std::to_string(s.mipMapping) + ", low " + std::to_string(s.lowGraphicMode) +
           ", agp " + std::to_string(s.agpMode) + "/" + std::to_string(s.agpMemoryMb) +
           ", driver " + std::to_string(s.driverConfigured) + ", " + s.language;
}

const std::string kDefaults = "mip 2, low 0, agp 0/0, driver 0, English";
const std::string kStoredValues = "mip 1, low 1, agp 1/32, driver 1, French";

std::string LoadResult() {
    GameSettings s;
    LoadSettings(s);
    return Loaded(s);
}

// A prefix whose folder and file belong to nobody (when we are root), so that
// a child that has become nobody can change their modes.
class OwnedByNobody {
  public:
    OwnedByNobody() : file_(prefix_.settingsFile()) {
        WriteFile(file_, kStored);
        if (::geteuid() != 0)
            return;
        for (const auto& entry : fs::recursive_directory_iterator(prefix_.root()))
            ::lchown(entry.path().c_str(), NobodyUid(), NobodyGid());
        ::chown(prefix_.root().c_str(), NobodyUid(), NobodyGid());
    }
    const fs::path& file() const { return file_; }
    fs::path folder() const { return file_.parent_path(); }

  private:
    TempPrefix prefix_;
    fs::path file_;
};

// As nobody (or as ourselves when not root): applies `mode` to `target`, then
// loads and saves. Returns "" when the load gave `expectLoaded` and the file
// is still `kStored`.
std::string LoadAndSaveAsNobody(const fs::path& target, mode_t mode,
                                const std::string& expectLoaded, const fs::path& file) {
    return RunInChild([&]() -> std::string {
        if (::geteuid() == 0 && !BecomeNobody())
            return "cannot become nobody";
        if (::chmod(target.c_str(), mode) != 0)
            return "chmod failed";
        if (const std::string loaded = LoadResult(); loaded != expectLoaded)
            return "loaded " + loaded + ", expected " + expectLoaded;
        SaveSettings(NewChoice());
        ::chmod(target.c_str(), 0700);
        if (ReadFile(file) != kStored)
            return "the save changed the file";
        return "";
    });
}

TEST(OurSettingsFileFaults, AReadOnlyFolderKeepsTheFileAsItWas) {
    OwnedByNobody p;
    EXPECT_EQ(LoadAndSaveAsNobody(p.folder(), 0555, kStoredValues, p.file()), "");
    EXPECT_EQ(std::distance(fs::directory_iterator(p.folder()), {}), 1) << "nothing left beside it";
}

TEST(OurSettingsFileFaults, AReadOnlyFileIsNotReplaced) {
    OwnedByNobody p;
    EXPECT_EQ(LoadAndSaveAsNobody(p.file(), 0444, kStoredValues, p.file()), "");
}

TEST(OurSettingsFileFaults, AnUnreadableFileLoadsDefaultsAndIsNotOverwritten) {
    // Saving what could not be read would drop every other key of the file.
    OwnedByNobody p;
    EXPECT_EQ(LoadAndSaveAsNobody(p.file(), 0200, kDefaults, p.file()), "");
}

TEST(OurSettingsFileFaults, ADirectoryInPlaceOfTheFileIsLeftAlone) {
    TempPrefix prefix;
    const fs::path file = prefix.settingsFile();
    fs::create_directory(file);
    EXPECT_EQ(RunInChild([&]() -> std::string {
                  if (const std::string loaded = LoadResult(); loaded != kDefaults)
                      return "loaded " + loaded;
                  SaveSettings(NewChoice());
                  return "";
              }),
              "");
    EXPECT_TRUE(fs::is_directory(file));
    EXPECT_TRUE(fs::is_empty(file));
    EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), {}), 1);
}

TEST(OurSettingsFileFaults, AFolderRemovedBetweenLoadAndSaveIsNotRecreated) {
    TempPrefix prefix;
    WriteFile(prefix.settingsFile(), kStored);
    EXPECT_EQ(RunInChild([&]() -> std::string {
                  if (const std::string loaded = LoadResult(); loaded != kStoredValues)
                      return "loaded " + loaded;
                  fs::remove_all(prefix.settingsFile().parent_path());
                  SaveSettings(NewChoice());
                  return "";
              }),
              "");
    EXPECT_FALSE(fs::exists(prefix.windows() / "korvane"));
    EXPECT_EQ(std::distance(fs::directory_iterator(prefix.windows()), {}), 0);
}

TEST(OurSettingsFileFaults, SpecialFilesInPlaceOfTheFileNeitherHangNorCrash) {
    // A pipe that no one writes to, and a symbolic link to itself.
    TempPrefix prefix;
    const fs::path file = prefix.settingsFile();
    ASSERT_EQ(::mkfifo(file.c_str(), 0644), 0);
    EXPECT_EQ(RunInChild(
                  [&]() -> std::string {
                      if (const std::string loaded = LoadResult(); loaded != kDefaults)
                          return "loaded " + loaded + " from a pipe";
                      SaveSettings(NewChoice());
                      return "";
                  },
                  10),
              "");
    fs::remove(file);
    fs::create_symlink("kvn.ini", file);
    EXPECT_EQ(RunInChild(
                  [&]() -> std::string {
                      if (const std::string loaded = LoadResult(); loaded != kDefaults)
                          return "loaded " + loaded + " from a link loop";
                      SaveSettings(NewChoice());
                      return "";
                  },
                  10),
              "");
    EXPECT_TRUE(fs::is_symlink(file));
}

} // namespace
