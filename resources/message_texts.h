// Texts of the messages the graphics dialog shows of its own, in English.
#pragma once

#include <string>

// Which file the dialog edits, as the title group's tooltip and as the line
// on standard error when the dialog opens.
inline std::string SettingsFileToolTip(const std::string& file) {
    return "Settings file: " + file;
}
inline std::string SettingsFileLogLine(const std::string& program, const std::string& file) {
    return program + ": editing the game's settings file " + file + "\n";
}

// The driver tool was not started because the game's Proton prefix at
// `prefix` must be run by the Proton in `proton` (empty when the prefix
// names none), and that one is not there.
inline std::string ProtonMissingText(const std::string& prefix, const std::string& proton) {
    const std::string which = proton.empty() ? ", and the prefix does not say which Proton that is."
                                             : ", and that Proton was not found (" + proton + ").";
    return "The driver tool was not started.\n\nThe game runs in Steam's Proton prefix " + prefix +
           ". A Windows program there must run with the Proton that last ran the game" + which +
           " Start the game once from Steam, then try again.";
}
