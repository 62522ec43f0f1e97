// Shared settings files for the GUI tests: the ZOLT section among others,
// with CRLF line endings as the game writes them.
#pragma once

#include <string>

namespace kvn::test {

// A file whose ZOLT section holds the three given lines (empty: left out)
// between keys that the dialog never touches.
inline std::string SharedFile(const std::string& mip, const std::string& low,
                              const std::string& agp) {
    std::string zolt = "Language=English\r\nDDDriver=Primary Display Driver\r\n";
    for (const std::string* line : {&mip, &low, &agp})
        if (!line->empty())
            zolt += *line + "\r\n";
#ifdef _WIN32
    // Wine's profile functions rewrite the file without its blank lines.
    const std::string blank;
#else
    const std::string blank = "\r\n";
#endif
    return "; shared by the game and its tools\r\n[Paths]\r\nInstall=C:\\Games\\ZOLT\r\n" + blank +
           "[ZOLT]\r\n" + zolt + "ScreenWidth=1024\r\n" + blank +
           "[Network]\r\nLastServer=10.0.0.1\r\n";
}

} // namespace kvn::test
