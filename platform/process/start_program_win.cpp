// Program start on Windows: the file is found by the C runtime's rules and
// started with CreateProcess; a batch file through the command interpreter.
#include "platform/process/start_program.h"

#include <windows.h>

#include "platform/process/program_path.h"

namespace kvn {
namespace {

bool IsFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// What follows the program name in `commandLine`, and the blanks after it:
// the name ends at the first blank outside double quotes.
std::string ArgumentsAfterName(const std::string& commandLine) {
    std::size_t i = 0;
    bool inQuotes = false;
    for (; i < commandLine.size(); ++i) {
        if (commandLine[i] == '"')
            inQuotes = !inQuotes;
        else if (!inQuotes && (commandLine[i] == ' ' || commandLine[i] == '\t'))
            break;
    }
    const std::size_t start = commandLine.find_first_not_of(" \t", i);
    return start == std::string::npos ? std::string() : commandLine.substr(start);
}

} // namespace

int StartProgramAndWait(const std::string& windowsPath, const std::string& commandLine) {
    std::string program;
    for (const std::string& candidate : ProgramPathCandidates(windowsPath)) {
        if (IsFile(candidate)) {
            program = candidate;
            break;
        }
    }
    if (program.empty())
        return -1;

    std::string application = program;
    std::string line = commandLine;
    if (IsBatchFile(program)) {
        // The system's command interpreter runs the batch file itself, with
        // the arguments after the name. /s /c and the outer quotes keep the
        // quoted path whole whatever it contains.
        char system[MAX_PATH];
        const UINT length = GetSystemDirectoryA(system, MAX_PATH);
        if (length == 0 || length >= MAX_PATH)
            return -1;
        application = std::string(system, length) + "\\cmd.exe";
        line = "cmd.exe /s /c \"\"" + program + "\" " + ArgumentsAfterName(commandLine) + "\"";
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(application.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                        nullptr, &startup, &process))
        return -1;
    CloseHandle(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = static_cast<DWORD>(-1);
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

int StartProgramAndWait(const std::string& windowsPath, const std::string& commandLine,
                        std::optional<MissingProton>& missing) {
    missing.reset();
    return StartProgramAndWait(windowsPath, commandLine);
}

} // namespace kvn
