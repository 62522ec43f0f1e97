// Fuzzes loading and saving the shared settings file: arbitrary file bytes and
// arbitrary dialog values. Load never fails; a save followed by a load gives
// back the values saved (unless the save was refused and changed nothing);
// Language and DDDriver, and every line other than the three keys' lines,
// survive the save.
//
// Input: a flags byte (bit 0: no file), MipMapping (1 byte, signed),
// LowGraphicMode (4 bytes LE), agpMode (1 byte, signed), agpMemoryMb (4 bytes
// LE), then the file's bytes.
#include <sys/stat.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "fuzz/fuzz_support.h"
#include "fuzz/line_diff.h"
#include "settings/settings_file.h"

namespace {

using namespace kvn::fuzz;

constexpr std::size_t kHeader = 11;

std::int32_t Int32At(const std::uint8_t* p) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) | p[1] << 8 | p[2] << 16 |
                                     static_cast<std::uint32_t>(p[3]) << 24);
}

std::string Describe(const GameSettings& s) {
    return "mip " + std::to_string(s.mipMapping) + " low " + std::to_string(s.lowGraphicMode) +
           " agp " + std::to_string(s.agpMode) + " mb " + std::to_string(s.agpMemoryMb) +
           " driver " + std::to_string(s.driverConfigured) + " language \"" + s.language + "\"";
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The Windows directory is the prefix's drive_c/windows.
    ::setenv("WINEPREFIX", ScratchDir().c_str(), 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < kHeader)
        return 0;
    ClearScratchDir();
    const std::string folder = ScratchDir() + "/drive_c/windows/korvane";
    const std::string path = folder + "/kvn.ini";
    std::filesystem::create_directories(folder);
    const std::string file(reinterpret_cast<const char*>(data + kHeader), size - kHeader);
    const bool hadFile = (data[0] & 1) == 0;
    if (hadFile)
        WriteWholeFile(path, file);

    GameSettings first;
    LoadSettings(first);
    if (first.language.size() > 99)
        Fail("a language longer than 99 characters", first.language);

    GameSettings chosen = first;
    chosen.mipMapping = static_cast<std::int8_t>(data[1]);
    chosen.lowGraphicMode = Int32At(data + 2);
    chosen.agpMode = static_cast<std::int8_t>(data[6]);
    chosen.agpMemoryMb = Int32At(data + 7);
    SaveSettings(chosen);
    const std::string saved = ReadWholeFile(path);

    GameSettings second;
    LoadSettings(second);
    if (hadFile && saved == file) {
        // The writes were refused (UTF-16 without its mark, or too large):
        // nothing changed.
        if (Describe(second) != Describe(first))
            Fail("a refused save changed what loads", Describe(first) + "\n" + Describe(second));
        return 0;
    }
    GameSettings expected = first;
    expected.mipMapping =
        chosen.mipMapping == MipMappingMode::On || chosen.mipMapping == MipMappingMode::Off
            ? chosen.mipMapping
            : MipMappingMode::Auto;
    expected.lowGraphicMode = chosen.lowGraphicMode;
    const bool specified = chosen.agpMode != AgpMemoryMode::Auto;
    expected.agpMode = specified ? AgpMemoryMode::Specify : AgpMemoryMode::Auto;
    expected.agpMemoryMb = specified ? chosen.agpMemoryMb : second.agpMemoryMb;
    if (second.mipMapping != expected.mipMapping ||
        second.lowGraphicMode != expected.lowGraphicMode || second.agpMode != expected.agpMode ||
        second.agpMemoryMb != expected.agpMemoryMb || second.language != expected.language ||
        second.driverConfigured != expected.driverConfigured)
        Fail("the settings did not load back as saved",
             "expected " + Describe(expected) + "\nloaded   " + Describe(second));

    const std::string e = CheckOnlyKeysChanged(hadFile ? file : std::string(), saved,
                                               {"MipMapping", "LowGraphicMode", "MaxRAMForAGP"}, 4);
    if (!e.empty())
        Fail("saving changed lines it does not own", e);
    if (const std::string entries = ListDir(folder); entries != "kvn.ini")
        Fail("files left beside the settings file", entries);
    return 0;
}
