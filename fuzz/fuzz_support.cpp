#include "fuzz/fuzz_support.h"

#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace kvn::fuzz {

namespace {

void RemoveScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(ScratchDir(), ec);
}

} // namespace

const std::string& ScratchDir() {
    // Never destroyed: the exit handler below still needs it.
    static const std::string* const dir = [] {
        std::filesystem::path base = std::filesystem::temp_directory_path();
        if (const char* given = std::getenv("KVN_FUZZ_TMP"))
            base = given;
        else if (::access("/dev/shm", W_OK) == 0)
            base = "/dev/shm";
        std::string pattern = (base / "kvn-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::perror("mkdtemp");
            std::abort();
        }
        std::atexit(RemoveScratchDir);
        return new std::string(pattern);
    }();
    return *dir;
}

void ClearScratchDir() {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(ScratchDir(), ec)) {
        std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(entry.path(), ec);
    }
}

bool FileExists(const std::string& path) {
    return ::access(path.c_str(), F_OK) == 0;
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteWholeFile(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ListDir(const std::string& dir) {
    std::vector<std::string> names;
    if (DIR* d = ::opendir(dir.c_str())) {
        while (const dirent* e = ::readdir(d)) {
            const std::string name = e->d_name;
            if (name != "." && name != "..")
                names.push_back(name);
        }
        ::closedir(d);
    }
    std::sort(names.begin(), names.end());
    std::string out;
    for (const auto& n : names)
        out += (out.empty() ? "" : " ") + n;
    return out;
}

void Fail(std::string_view what, std::string_view detail) {
    std::fprintf(stderr, "\n==== FINDING: %.*s\n%.*s\n", static_cast<int>(what.size()), what.data(),
                 static_cast<int>(detail.size()), detail.data());
    std::abort();
}

} // namespace kvn::fuzz
