// A stand-in driver tool for the GUI tests: ".\DrvPicker.exe" in a temporary
// current directory, a copy of the program stand_in_tool.cpp built beside the
// tests. Each start notes its pid in "starts", then waits until the test
// releases it, notes its pid in "finished" and exits.
#pragma once

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

#include "tests/support/temp_dir.h"

namespace kvn::test {

class StandInTool {
  public:
    // With `present` false the folder holds no tool at all.
    explicit StandInTool(bool present = true) {
        if (present)
            Install();
    }

    ~StandInTool() {
        // Lets every tool still waiting go, and waits for them before the
        // folder is removed: on Windows a running program's file and current
        // directory cannot be removed.
        for (int i = 0; i < 8; ++i)
            Release();
        for (int i = 0; i < 500 && Finished().size() < Starts().size(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }

    StandInTool(const StandInTool&) = delete;
    StandInTool& operator=(const StandInTool&) = delete;

    const std::filesystem::path& dir() const { return dir_.path(); }

    // Puts the tool in place, replacing what is there.
    void Install() {
        std::filesystem::copy_file(ProgramDir() / kProgram, Tool(),
                                   std::filesystem::copy_options::overwrite_existing);
        std::filesystem::permissions(Tool(), std::filesystem::perms(0755));
    }

    // Leaves a file of the tool's name that cannot be started: not executable
    // on Linux, not a program on Windows.
    void Spoil() {
#ifdef _WIN32
        WriteFile(Tool(), "not a program\r\n");
#else
        std::filesystem::permissions(Tool(), std::filesystem::perms(0644));
#endif
    }

    // The pids of the tools started so far, and of those that have ended.
    std::vector<int> Starts() const {
        return Pids("starts");
    }
    std::vector<int> Finished() const {
        return Pids("finished");
    }

    // Lets the next waiting tool exit.
    void Release() {
        std::ofstream(dir_.path() / "release", std::ios::app) << "go\n";
    }

  private:
#ifdef _WIN32
    static constexpr const char* kProgram = "stand_in_tool.exe";
    static std::filesystem::path ProgramDir() {
        wchar_t name[MAX_PATH];
        const DWORD length = GetModuleFileNameW(nullptr, name, MAX_PATH);
        return std::filesystem::path(name, name + length).parent_path();
    }
#else
    static constexpr const char* kProgram = "stand_in_tool";
    static std::filesystem::path ProgramDir() {
        return std::filesystem::read_symlink("/proc/self/exe").parent_path();
    }
#endif

    std::filesystem::path Tool() const {
        return dir_.path() / "DrvPicker.exe";
    }

    std::vector<int> Pids(const char* name) const {
        std::vector<int> pids;
        std::error_code ec;
        if (!std::filesystem::exists(dir_.path() / name, ec))
            return pids;
        std::istringstream in(ReadFile(dir_.path() / name));
        for (int pid = 0; in >> pid;)
            pids.push_back(pid);
        return pids;
    }

    TempDir dir_;
    ScopedCurrentDir cwd_{dir_.path()};
};

} // namespace kvn::test
