// Variables this program sets for itself only, and the environment that the
// programs it starts get instead: the one this program received.
#pragma once

#include <string>
#include <vector>

namespace kvn {

// Sets `name` to `value` unless it is set already, and remembers that it was
// unset, so that the programs this one starts do not see it. Call it before
// any other thread runs.
void SetForThisProgramOnly(const char* name, const char* value);

// The current environment without the variables that SetForThisProgramOnly
// set and that still hold the value it gave them: the player's environment.
std::vector<std::string> ReceivedEnvironment();

} // namespace kvn
