#include "platform/process/program_path.h"

#include "platform/text/ascii_case.h"

namespace kvn {

std::vector<std::string> ProgramPathCandidates(std::string_view windowsPath) {
    std::string path(windowsPath);
    if (path.find_first_of("\\/:") == std::string::npos)
        path.insert(0, ".\\");

    std::size_t nameStart = path.find_last_of("\\/");
    if (nameStart == std::string::npos)
        nameStart = path.find(':');
    if (path.find('.', nameStart + 1) != std::string::npos)
        return {path};
    std::vector<std::string> candidates;
    for (const char* extension : {".com", ".exe", ".bat", ".cmd"})
        candidates.push_back(path + extension);
    return candidates;
}

bool IsBatchFile(std::string_view path) {
    if (path.size() < 4)
        return false;
    const std::string_view extension = path.substr(path.size() - 4);
    return EqualsIgnoringAsciiCase(extension, ".bat") || EqualsIgnoringAsciiCase(extension, ".cmd");
}

} // namespace kvn
