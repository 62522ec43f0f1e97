// Where the Wine prefix that the game runs in lives.
#pragma once

#include <string>

namespace kvn {

// $WINEPREFIX, or $HOME/.wine when that is unset or empty, without a trailing
// "/"; empty when neither is set. These are Wine's own conventions.
std::string WinePrefix();

} // namespace kvn
