// LoadCaptions on the sample caption file, against the floor of reading that
// file once: LoadCaptions reads it twelve times through the profile functions.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "settings/caption_file.h"

namespace {

namespace fs = std::filesystem;

// A temporary current directory holding a copy of the sample file.
class SampleDir {
  public:
    SampleDir() {
        std::string pattern = (fs::temp_directory_path() / "kvn-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            std::abort();
        dir_ = pattern;
        fs::copy_file(fs::path(KVN_SOURCE_DIR) / "resources" / "KVNConfig.ini",
                      dir_ / "KVNConfig.ini");
        old_ = fs::current_path();
        fs::current_path(dir_);
    }
    ~SampleDir() {
        fs::current_path(old_);
        fs::remove_all(dir_);
    }

  private:
    fs::path dir_;
    fs::path old_;
};

void BM_LoadCaptions(benchmark::State& state) {
    SampleDir dir;
    std::string toolPath;
    std::size_t chars = 0;
    for (auto _ : state) {
        LoadCaptions("German", toolPath, [&](int, const char* text) { chars += text[0]; });
        benchmark::DoNotOptimize(chars);
    }
}
BENCHMARK(BM_LoadCaptions);

// Floor: open the file, read all of it, close it.
void BM_ReadFileOnce(benchmark::State& state) {
    SampleDir dir;
    char buffer[4096];
    for (auto _ : state) {
        std::FILE* f = std::fopen("KVNConfig.ini", "rb");
        if (f == nullptr)
            std::abort();
        std::size_t n = 0;
        while (std::size_t got = std::fread(buffer, 1, sizeof buffer, f))
            n += got;
        std::fclose(f);
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(BM_ReadFileOnce);

} // namespace

BENCHMARK_MAIN();
