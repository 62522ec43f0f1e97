// A shared settings file as large as the game's tools leave it, in two
// versions that differ in one key's value, for tests that must tell an intact
// file from a torn one.
#pragma once

#include <string>

namespace kvn::test {

inline constexpr const char* kSection = "ZOLT";
inline constexpr const char* kKey = "MaxRAMForAGP";

// About 9 KB: comment, a large [Display] section, then [ZOLT] holding
// MaxRAMForAGP=<value>, then [Sound].
inline std::string SharedFile(const std::string& value) {
    std::string s = "; shared by the game and its tools\r\n[Display]\r\n";
    for (int i = 0; i < 300; ++i)
        s += "Option" + std::to_string(i) + "=" + std::string(20, static_cast<char>('a' + i % 26)) +
             "\r\n";
    s += "\r\n[ZOLT]\r\nLanguage=French\r\n";
    s += std::string(kKey) + "=" + value + "\r\n";
    return s + "DDDriver=display\r\n\r\n[Sound]\r\nVolume=80\r\n";
}

// The two values: a short one and one of 3,000 characters, so that a file cut
// anywhere matches neither version.
inline const std::string kShortValue = "AUTO";
inline const std::string kLongValue = std::string(3000, '6');

} // namespace kvn::test
