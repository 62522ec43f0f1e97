// Helpers for the tool-start tests: a folder that is the current directory,
// the recording stand-in tool, and what it recorded.
#pragma once

#include <gtest/gtest.h>

#include "platform/process/start_program.h"
#include "tests/support/temp_dir.h"

#include <cctype>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace kvn::test {

namespace fs = std::filesystem;

inline const std::string kCommandLine = "DrvPicker.exe -app:ZOLT";

// Sets an environment variable while it lives.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        Set(name, value.c_str());
    }
    ~ScopedEnv() { Set(name_, old_ ? old_->c_str() : nullptr); }

    // Sets `name` to `value`, or removes it when `value` is null.
    static void Set(const char* name, const char* value) {
#ifdef _WIN32
        ::_putenv_s(name, value ? value : "");
#else
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
#endif
    }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

// A shell script that runs `body`.
inline void MakeScript(const fs::path& path, const std::string& body, bool executable = true) {
    WriteFile(path, "#!/bin/sh\n" + body);
    fs::permissions(path, executable ? fs::perms(0755) : fs::perms(0644));
}

// A stand-in program at `path` that exits with `code`: a batch file for .bat
// and .cmd; otherwise a shell script, or on Windows a copy of the recording
// tool with its exit code beside it.
inline void MakeExitingTool(const fs::path& path, int code) {
    std::string extension = path.extension().string();
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension == ".bat" || extension == ".cmd") {
        WriteFile(path, "@exit " + std::to_string(code) + "\r\n");
        return;
    }
#ifdef _WIN32
    fs::copy_file(KVN_RECORDING_TOOL, path, fs::copy_options::overwrite_existing);
    WriteFile(path.string() + ".exit", std::to_string(code));
#else
    MakeScript(path, "exit " + std::to_string(code) + "\n");
#endif
}

// Whether starting a batch file made by MakeExitingTool with `code` ran the
// batch file itself: on Windows through cmd.exe, elsewhere through the
// stand-in wine below.
inline ::testing::AssertionResult BatchFileStarted(int result, int code) {
    if (result == code)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the start gave " << result;
}

inline bool WaitForFile(const fs::path& path) {
    for (int i = 0; i < 1000 && !fs::exists(path); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return fs::exists(path);
}

// What the recording stand-in tool wrote about itself.
struct ToolRecord {
    int pid = 0;
    int sid = 0;
    std::string cwd;
    std::vector<std::string> args;
    std::vector<int> fds;
};

inline ToolRecord ReadRecord(const fs::path& path) {
    ToolRecord r;
    std::istringstream in(ReadFile(path));
    std::string key, value;
    while (in >> key && std::getline(in >> std::ws, value)) {
        if (key == "pid")
            r.pid = std::stoi(value);
        else if (key == "sid")
            r.sid = std::stoi(value);
        else if (key == "cwd")
            r.cwd = value;
        else if (key == "arg")
            r.args.push_back(value);
        else if (key == "fd")
            r.fds.push_back(std::stoi(value));
    }
    return r;
}

#ifndef _WIN32
// Puts a stand-in for wine in `dir` and returns PATH with `dir` first. For
// "cmd /c FILE ..." it exits with the code of the batch file's "@exit N"; it
// records its arguments in args.txt beside it.
inline std::string PlaceStandInWine(const fs::path& dir) {
    MakeScript(dir / "wine", R"sh(printf '%s\n' "$@" > "$(dirname "$0")/args.txt"
[ "$1" = cmd ] && [ "$2" = /c ] || exit 99
code=$(sed -n 's/^@exit \([0-9]*\).*/\1/p' "$(printf '%s' "$3" | tr '\\' /)")
exit "${code:-98}"
)sh");
    const char* path = std::getenv("PATH");
    return dir.string() + ":" + (path ? path : "");
}
#endif

class StartProgramTest : public ::testing::Test {
  protected:
    // Puts the recording stand-in at `relative` in the folder.
    fs::path PlaceRecordingTool(const fs::path& relative = "DrvPicker.exe") {
        fs::path p = dir_.path() / relative;
        fs::create_directories(p.parent_path());
        fs::copy_file(KVN_RECORDING_TOOL, p);
        return p;
    }
    fs::path In(const fs::path& relative) const { return dir_.path() / relative; }

    TempDir dir_;
    ScopedCurrentDir cwd_{dir_.path()};
    fs::path record_ = dir_.path() / "record.txt";
    ScopedEnv recordEnv_{"KVN_TOOL_RECORD", record_.string()};
#ifndef _WIN32
    TempDir wineDir_;
    fs::path wineArgs_ = wineDir_.path() / "args.txt";
    ScopedEnv winePath_{"PATH", PlaceStandInWine(wineDir_.path())};
#endif
};

} // namespace kvn::test
