// The graphics options the dialog edits, and their codes.
#pragma once

#include <cstdint>
#include <string>

// Radio-button indexes of the MipMapping group; None means no button checked.
struct MipMappingMode {
    static constexpr int None = -1;
    static constexpr int On = 0;
    static constexpr int Off = 1;
    static constexpr int Auto = 2;
};

// Radio-button indexes of the AGP group; None means no button checked.
struct AgpMemoryMode {
    static constexpr int None = -1;
    static constexpr int Auto = 0;
    static constexpr int Specify = 1;
};

struct GameSettings {
    int driverConfigured = 0; // 1 when the file names a display driver
    int mipMapping = MipMappingMode::None;
    int lowGraphicMode = 0; // check-box state, not clamped when loaded
    int agpMode = AgpMemoryMode::None;
    std::int32_t agpMemoryMb = 0; // meaningful only when agpMode is Specify
    std::string language;         // caption-file section, at most 99 characters
};
