#include "settings/settings_file.h"

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <utility>

#include "platform/paths/host_path.h"
#include "platform/paths/windows_directory.h"
#include "platform/profile/profile.h"
#include "platform/profile/write_error.h"
#include "platform/text/ascii_case.h"
#include "platform/text/integer_rules.h"
#include "settings/text_buffer.h"

namespace {

constexpr const char* kSection = "ZOLT";

} // namespace

std::string SettingsFilePath() {
    char directory[kBufferSize] = "";
    // On failure, or when the path does not fit, the buffer is left untouched
    // and the file is looked for at the root of the current drive.
    GetWindowsDirectoryA(directory, kBufferSize);
    return std::string(directory) + "\\korvane\\kvn.ini";
}

std::string SettingsFileHostPath() {
    return kvn::ToHostPath(SettingsFilePath());
}

void LoadSettings(GameSettings& settings) {
    const std::string path = SettingsFilePath();
    const char* file = path.c_str();
    char text[kBufferSize];

    GetPrivateProfileStringA(kSection, "MipMapping", "AUTO", text, kBufferSize, file);
    if (kvn::EqualsIgnoringAsciiCase(text, "on"))
        settings.mipMapping = MipMappingMode::On;
    else if (kvn::EqualsIgnoringAsciiCase(text, "off"))
        settings.mipMapping = MipMappingMode::Off;
    else
        settings.mipMapping = MipMappingMode::Auto;

    settings.lowGraphicMode =
        static_cast<int>(GetPrivateProfileIntA(kSection, "LowGraphicMode", 0, file));

    GetPrivateProfileStringA(kSection, "MaxRAMForAGP", "AUTO", text, kBufferSize, file);
    if (kvn::EqualsIgnoringAsciiCase(text, "auto")) {
        settings.agpMode = AgpMemoryMode::Auto; // agpMemoryMb keeps its value
    } else {
        settings.agpMode = AgpMemoryMode::Specify;
        settings.agpMemoryMb = kvn::ParseSettingsDecimal(text);
    }

    GetPrivateProfileStringA(kSection, "Language", "English", text, kBufferSize, file);
    settings.language = text;

    GetPrivateProfileStringA(kSection, "DDDriver", "", text, kBufferSize, file);
    settings.driverConfigured = text[0] != '\0' ? 1 : 0;
}

SaveResult SaveSettings(const GameSettings& settings) {
    const std::string path = SettingsFilePath();
    char number[16];

    const char* mip = settings.mipMapping == MipMappingMode::On    ? "ON"
                      : settings.mipMapping == MipMappingMode::Off ? "OFF"
                                                                   : "AUTO";
    std::snprintf(number, sizeof number, "%d", settings.lowGraphicMode);
    std::string lowGraphic = number;
    std::snprintf(number, sizeof number, "%d", static_cast<int>(settings.agpMemoryMb));
    const char* agp = settings.agpMode != AgpMemoryMode::Auto ? number : "AUTO";

    const std::pair<const char*, const char*> writes[] = {
        {"MipMapping", mip}, {"LowGraphicMode", lowGraphic.c_str()}, {"MaxRAMForAGP", agp}};
    SaveResult result;
    for (const auto& [key, value] : writes) {
        if (result.failedKey == nullptr &&
            !WritePrivateProfileStringA(kSection, key, value, path.c_str())) {
            result.failedKey = key;
            result.error = LastWriteError();
            result.file = SettingsFileHostPath();
        }
        (result.failedKey == nullptr ? result.saved : result.notSaved).push_back(key);
    }
    return result;
}
