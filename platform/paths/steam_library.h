// What Steam keeps beside a game: its app manifests and Proton's prefixes.
#pragma once

#include <string>
#include <string_view>

namespace kvn {

// The value of "installdir" in an app manifest (appmanifest_<appid>.acf, in
// Valve's KeyValues text), from the manifest's top-level block; empty when
// the text names none or is not such a manifest.
std::string ManifestInstallDir(std::string_view manifest);

// When `dir` is <library>/steamapps/common/<folder> or a folder below it: the
// Proton prefix <library>/steamapps/compatdata/<appid>/pfx of the app whose
// manifest names <folder>, when that prefix holds drive_c. Else empty.
std::string SteamGamePrefix(const std::string& dir);

// The folder of the Proton that last ran the prefix of `compatData`
// (<library>/steamapps/compatdata/<appid>), from the second line of its
// config_info, which names that Proton's fonts: <Proton>/files/share/fonts/
// (<Proton>/dist/share/fonts/ in older ones). Empty when it names none.
std::string ProtonFolder(const std::string& compatData);

} // namespace kvn
