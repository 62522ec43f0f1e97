#include "platform/process/command_line.h"

namespace kvn {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
    std::vector<std::string> args;
    std::size_t i = 0;
    const std::size_t n = commandLine.size();

    // The program name: quotes toggle grouping, backslashes are plain.
    std::string name;
    bool inQuotes = false;
    for (; i < n && (inQuotes || !IsBlank(commandLine[i])); ++i) {
        if (commandLine[i] == '"')
            inQuotes = !inQuotes;
        else
            name += commandLine[i];
    }
    args.push_back(std::move(name));

    inQuotes = false;
    for (;;) {
        while (i < n && IsBlank(commandLine[i]))
            ++i;
        if (i >= n)
            break;
        std::string arg;
        while (i < n) {
            std::size_t backslashes = 0;
            while (i < n && commandLine[i] == '\\') {
                ++backslashes;
                ++i;
            }
            if (i < n && commandLine[i] == '"') {
                bool literal = backslashes % 2 == 1;
                arg.append(backslashes / 2, '\\');
                if (!literal && inQuotes && i + 1 < n && commandLine[i + 1] == '"') {
                    literal = true; // "" inside quotes
                    ++i;
                }
                if (literal)
                    arg += '"';
                else
                    inQuotes = !inQuotes;
                ++i;
                continue;
            }
            arg.append(backslashes, '\\');
            if (i >= n || (!inQuotes && IsBlank(commandLine[i])))
                break;
            arg += commandLine[i++];
        }
        args.push_back(std::move(arg));
    }
    return args;
}

} // namespace kvn
