#include "tests/support/temp_dir.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

#ifdef _WIN32
#include <random>

#include "platform/paths/windows_directory.h"
#endif

namespace kvn::test {

#ifdef _WIN32
namespace {

// Where the korvane folder of the real Windows directory waits while a test
// uses that directory.
std::filesystem::path SavedKorvane(const std::filesystem::path& windows) {
    return windows / "korvane.kvn-test-saved";
}

} // namespace
#endif

TempDir::TempDir() {
#ifdef _WIN32
    std::random_device random;
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
        auto candidate = std::filesystem::temp_directory_path() /
                         ("kvn-test-" + std::to_string(random() % 1000000000u));
        if (std::filesystem::create_directory(candidate))
            path_ = candidate;
    }
    if (path_.empty())
        throw std::runtime_error("no temporary folder");
#else
    std::string pattern = (std::filesystem::temp_directory_path() / "kvn-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
#endif
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

#ifdef _WIN32
TempPrefix::TempPrefix() {
    char directory[MAX_PATH] = "";
    UINT length = GetWindowsDirectoryA(directory, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        throw std::runtime_error("no Windows directory");
    windows_ = directory;
    const auto korvane = windows_ / "korvane";
    // A folder left from an interrupted run is the test's; the saved one is
    // the machine's.
    if (std::filesystem::exists(SavedKorvane(windows_)))
        std::filesystem::remove_all(korvane);
    else if (std::filesystem::exists(korvane))
        std::filesystem::rename(korvane, SavedKorvane(windows_));
}

TempPrefix::~TempPrefix() {
    std::error_code ec;
    std::filesystem::remove_all(windows_ / "korvane", ec);
    if (std::filesystem::exists(SavedKorvane(windows_), ec))
        std::filesystem::rename(SavedKorvane(windows_), windows_ / "korvane", ec);
}
#else
TempPrefix::TempPrefix() : windows_(dir_.path() / "drive_c" / "windows") {
    std::filesystem::create_directories(windows_);
    // Drives C: and Z: as a new Wine prefix maps them.
    std::filesystem::create_directory(root() / "dosdevices");
    std::filesystem::create_directory_symlink("../drive_c", root() / "dosdevices" / "c:");
    std::filesystem::create_directory_symlink("/", root() / "dosdevices" / "z:");
}

TempPrefix::~TempPrefix() = default;
#endif

ScopedVariable::ScopedVariable(const char* name, const std::string& value) : name_(name) {
#ifndef _WIN32
    if (const char* old = std::getenv(name))
        old_ = old;
    ::setenv(name, value.c_str(), 1);
#else
    (void)value;
#endif
}

ScopedVariable::~ScopedVariable() {
#ifndef _WIN32
    if (old_)
        ::setenv(name_.c_str(), old_->c_str(), 1);
    else
        ::unsetenv(name_.c_str());
#endif
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
