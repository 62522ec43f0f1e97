#include "tests/support/temp_dir.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace kvn::test {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kvn-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    // Tests make folders read-only; give the owner write access back first.
    for (auto it = std::filesystem::recursive_directory_iterator(
             path_, std::filesystem::directory_options::skip_permission_denied, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        if (it->is_directory(ec) && !it->is_symlink(ec))
            std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ec);
    }
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

TempPrefix::TempPrefix() {
    if (const char* old = std::getenv("WINEPREFIX")) {
        hadPrefix_ = true;
        oldPrefix_ = old;
    }
    std::filesystem::create_directories(windows());
    ::setenv("WINEPREFIX", root().c_str(), 1);
}

TempPrefix::~TempPrefix() {
    if (hadPrefix_)
        ::setenv("WINEPREFIX", oldPrefix_.c_str(), 1);
    else
        ::unsetenv("WINEPREFIX");
}

std::filesystem::path TempPrefix::settingsFile() const {
    std::filesystem::create_directories(windows() / "korvane");
    return windows() / "korvane" / "kvn.ini";
}

ScopedCurrentDir::ScopedCurrentDir(const std::filesystem::path& dir)
    : old_(std::filesystem::current_path()) {
    std::filesystem::current_path(dir);
}

ScopedCurrentDir::~ScopedCurrentDir() {
    std::error_code ec;
    std::filesystem::current_path(old_, ec);
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace kvn::test
