// Where the Wine prefix that the game runs in lives.
#pragma once

#include <string>

namespace kvn {

// How the game's prefix was found.
enum class PrefixOrigin {
    None,    // no prefix: neither WINEPREFIX nor HOME is set
    Given,   // WINEPREFIX, set and not empty
    Folder,  // the current folder or its nearest parent holding system.reg and drive_c
    Steam,   // the Proton prefix of the Steam game whose folder is the current one
    Default, // $HOME/.wine
};

struct GamePrefix {
    std::string path; // without a trailing "/"; empty when there is none
    PrefixOrigin origin = PrefixOrigin::None;
    // For a Proton prefix (<library>/steamapps/compatdata/<appid>/pfx, however
    // it was found): its compatdata/<appid> folder; empty for any other.
    std::string compatData;
};

// The prefix of the game started from the current folder, by Wine's, the
// launchers' and Steam's conventions, in this order: $WINEPREFIX; the current
// folder or its nearest parent that is a prefix (Lutris, Bottles,
// PlayOnLinux and CrossOver keep the game inside its own); inside a Steam
// library's steamapps/common/<folder>, the prefix Proton keeps for the app
// whose manifest names that folder, when it holds drive_c; else $HOME/.wine.
// The current folder is looked at both as the shell names it ($PWD, through
// symbolic links) and as it is on disk.
GamePrefix FindGamePrefix();

// FindGamePrefix().path.
std::string WinePrefix();

} // namespace kvn
