// LoadSettings and SaveSettings on a large shared settings file, against a
// floor measured in the same run: reading the file once, and writing,
// syncing and renaming a copy of it once, as one write does.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "settings/settings_file.h"

namespace {

namespace fs = std::filesystem;

// A temporary Wine prefix holding korvane/kvn.ini: about 1 MB in 20,000
// lines, 1,000 sections of 20 lines, section ZOLT in the middle.
class LargeSettingsFile {
  public:
    LargeSettingsFile() {
        std::string pattern = (fs::temp_directory_path() / "kvn-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            std::abort();
        root_ = pattern;
        folder_ = root_ / "drive_c" / "windows" / "korvane";
        fs::create_directories(folder_);
        ::setenv("WINEPREFIX", root_.c_str(), 1);

        std::string text;
        char line[128];
        for (int section = 0; section < 1000; ++section) {
            if (section == 500) {
                text += "[ZOLT]\r\nLanguage=English\r\nDDDriver=Primary Display Driver\r\n"
                        "MipMapping=ON\r\nLowGraphicMode=0\r\nMaxRAMForAGP=AUTO\r\n";
                for (int key = 6; key < 20; ++key) {
                    std::snprintf(line, sizeof line, "GameOption%02d=value of option %02d\r\n", key,
                                  key);
                    text += line;
                }
                continue;
            }
            std::snprintf(line, sizeof line, "[Application%04d Settings]\r\n", section);
            text += line;
            for (int key = 1; key < 20; ++key) {
                std::snprintf(line, sizeof line, "SomeKeyName%02d = some value number %06d\r\n",
                              key, section * 20 + key);
                text += line;
            }
        }
        original_ = text;
        Reset();
    }
    ~LargeSettingsFile() {
        std::error_code ec;
        fs::remove_all(root_, ec);
    }
    void Reset() const { std::ofstream(file(), std::ios::binary | std::ios::trunc) << original_; }
    fs::path file() const { return folder_ / "kvn.ini"; }
    fs::path folder() const { return folder_; }
    std::size_t size() const { return original_.size(); }

  private:
    fs::path root_;
    fs::path folder_;
    std::string original_;
};

LargeSettingsFile& File() {
    static LargeSettingsFile file;
    return file;
}

void ReadOnce(const fs::path& path, std::string& bytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    bytes.resize(fs::file_size(path));
    std::size_t used = 0;
    while (used < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + used, bytes.size() - used);
        if (n <= 0)
            break;
        used += static_cast<std::size_t>(n);
    }
    ::close(fd);
}

void WriteCopyOnce(const fs::path& folder, const std::string& bytes) {
    const fs::path temporary = folder / ".copy.tmp";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    ::fsync(fd);
    ::close(fd);
    ::rename(temporary.c_str(), (folder / "copy.ini").c_str());
}

// The floor: the file read once, plus one durable atomic write of it.
void BM_Floor(benchmark::State& state) {
    LargeSettingsFile& file = File();
    std::string bytes;
    for (auto _ : state) {
        ReadOnce(file.file(), bytes);
        WriteCopyOnce(file.folder(), bytes);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.size()));
}

void BM_FloorReadOnly(benchmark::State& state) {
    LargeSettingsFile& file = File();
    std::string bytes;
    for (auto _ : state) {
        ReadOnce(file.file(), bytes);
        benchmark::DoNotOptimize(bytes.data());
    }
}

// The dialog's load alone: five reads of the file.
void BM_LoadSettings(benchmark::State& state) {
    File().Reset();
    for (auto _ : state) {
        GameSettings settings;
        LoadSettings(settings);
        benchmark::DoNotOptimize(settings);
    }
}

// Load, then save with `changes` of the three written values changed (0: the
// player pressed OK without changing anything).
void BM_LoadAndSave(benchmark::State& state) {
    const auto changes = state.range(0);
    File().Reset();
    bool flip = false;
    for (auto _ : state) {
        GameSettings settings;
        LoadSettings(settings);
        flip = !flip;
        if (changes >= 1)
            settings.mipMapping = flip ? MipMappingMode::Off : MipMappingMode::On;
        if (changes >= 2)
            settings.lowGraphicMode = flip ? 1 : 0;
        if (changes >= 3) {
            settings.agpMode = flip ? AgpMemoryMode::Specify : AgpMemoryMode::Auto;
            settings.agpMemoryMb = 64;
        }
        SaveSettings(settings);
    }
}

BENCHMARK(BM_Floor)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloorReadOnly)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadSettings)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadAndSave)
    ->ArgName("changed")
    ->DenseRange(0, 3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
