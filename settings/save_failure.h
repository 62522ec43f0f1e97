// Why a save failed, in the player's words.
#pragma once

#include <string>

#include "settings/settings_file.h"

// The message a player sees when `result` is a failed save: which file could
// not be saved, or which of its keys were saved and which not when the save
// stopped part way, and why in plain words.
std::string SaveFailureMessage(const SaveResult& result);
