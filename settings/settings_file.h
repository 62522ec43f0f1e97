// The game's shared settings file, korvane\kvn.ini under the Windows directory.
#pragma once

#include <string>
#include <vector>

#include "settings/game_settings.h"

// The file's Windows path, built afresh on every call. When there is no
// Windows directory it is "\korvane\kvn.ini".
std::string SettingsFilePath();

// The same file as a path of this system, as the player finds it in a file
// manager or a terminal.
std::string SettingsFileHostPath();

// Reads MipMapping, LowGraphicMode, MaxRAMForAGP, Language and DDDriver from
// section ZOLT, in that order, falling back to defaults. Never fails.
void LoadSettings(GameSettings& settings);

// What a save did: all three writes succeeded, or which one failed and why,
// and which keys it had written before.
struct SaveResult {
    const char* failedKey = nullptr;   // null when every write succeeded
    int error = 0;                     // the platform's reason: errno, or GetLastError() on Windows
    std::string file;                  // the file, as a path of this system
    std::vector<const char*> saved;    // the keys written, in order
    std::vector<const char*> notSaved; // the failed key and those after it
    explicit operator bool() const { return failedKey == nullptr; }
};

// Writes MipMapping, LowGraphicMode and MaxRAMForAGP to section ZOLT, in that
// order, one write per key. Stops at the first write that fails and says
// which and why; the keys written before it stay written.
SaveResult SaveSettings(const GameSettings& settings);
