// Helpers for the tool-start tests: a folder that is the current directory,
// the recording stand-in tool, and what it recorded.
#pragma once

#include <gtest/gtest.h>

#include "platform/process/start_program.h"
#include "tests/support/temp_dir.h"

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
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
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
};

} // namespace kvn::test
