#include "platform/process/player_environment.h"

#include <cstdlib>
#include <cstring>
#include <utility>

extern char** environ;

namespace kvn {
namespace {

// Each variable set for this program, with the value it was given.
std::vector<std::pair<std::string, std::string>>& OwnVariables() {
    static std::vector<std::pair<std::string, std::string>> variables;
    return variables;
}

} // namespace

void SetForThisProgramOnly(const char* name, const char* value) {
    if (std::getenv(name) != nullptr || ::setenv(name, value, 0) != 0)
        return;
    OwnVariables().emplace_back(name, value);
}

std::vector<std::string> ReceivedEnvironment() {
    std::vector<std::string> result;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string_view text(*entry);
        bool own = false;
        for (const auto& [name, value] : OwnVariables())
            own = own || text == name + "=" + value;
        if (!own)
            result.emplace_back(text);
    }
    return result;
}

} // namespace kvn
