#include "tests/support/ram_dir.h"

#include <unistd.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace kvn::test {

RamDir::RamDir() {
    const std::filesystem::path base =
        ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : std::filesystem::temp_directory_path();
    std::string pattern = (base / "kvn-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

RamDir::~RamDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

} // namespace kvn::test
