// A temporary folder on a RAM disk, for tests that write a file thousands of
// times and care about process behaviour, not about the disk.
#pragma once

#include <filesystem>

namespace kvn::test {

// A fresh folder under /dev/shm (under the system's temporary directory when
// there is no /dev/shm), removed afterwards.
class RamDir {
  public:
    RamDir();
    ~RamDir();
    RamDir(const RamDir&) = delete;
    RamDir& operator=(const RamDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

} // namespace kvn::test
