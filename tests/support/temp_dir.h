// Test helpers: a temporary folder, a Wine-style prefix in it, environment
// variables, and whole-file reads and writes.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace kvn::test {

// A fresh folder under the system's temporary directory, removed afterwards.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// Sets an environment variable while it lives, such as LC_ALL for the
// player's locale. On Windows it changes nothing: the Windows directory is the
// system's, and the ANSI code page is fixed when the process starts (a test
// that needs another one checks AnsiCodePage() and runs with LC_ALL set).
class ScopedVariable {
  public:
    ScopedVariable(const char* name, const std::string& value);
    ~ScopedVariable();
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

  private:
    std::string name_;
    std::optional<std::string> old_;
};

// A temporary Wine-style prefix: WINEPREFIX points at it while it lives, and
// drive_c/windows exists in it, with drives C: (drive_c) and Z: (/). On Windows the Windows
// directory is the system's own: windows() is that folder, and its korvane folder is put aside
// while the prefix lives, so each test starts without one.
class TempPrefix {
  public:
    TempPrefix();
    ~TempPrefix();
    const std::filesystem::path& root() const { return dir_.path(); }
    const std::filesystem::path& windows() const { return windows_; }
    // windows()/korvane/kvn.ini; the folder korvane is created.
    std::filesystem::path settingsFile() const;

  private:
    TempDir dir_;
    std::filesystem::path windows_;
    ScopedVariable prefix_{"WINEPREFIX", dir_.path().string()};
};

// Makes the current directory `dir` while it lives.
class ScopedCurrentDir {
  public:
    explicit ScopedCurrentDir(const std::filesystem::path& dir);
    ~ScopedCurrentDir();

  private:
    std::filesystem::path old_;
};

std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& bytes);

} // namespace kvn::test
