// A stand-in driver tool for the GUI tests: ".\DrvPicker.exe" in a temporary
// current directory. Each start notes its pid in "starts", then waits until
// the test releases it (at most 30 s, so that none is left behind), notes its
// pid in "finished" and exits.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

namespace kvn::test {

class StandInTool {
  public:
    // With `present` false the folder holds no tool at all.
    explicit StandInTool(bool present = true) {
        if (!present)
            return;
        WriteFile(dir_.path() / "DrvPicker.exe", "#!/bin/bash\n"
                                                 "exec >/dev/null 2>&1\n"
                                                 "echo $$ >> starts\n"
                                                 "read -r -t 30 _ <> release\n"
                                                 "echo $$ >> finished\n");
        std::filesystem::permissions(dir_.path() / "DrvPicker.exe", std::filesystem::perms(0755));
        const std::string fifo = (dir_.path() / "release").string();
        ::mkfifo(fifo.c_str(), 0600);
        // Held open for reading and writing, so that a release written before
        // the tool opens the pipe waits there for it.
        release_ = ::open(fifo.c_str(), O_RDWR | O_CLOEXEC);
    }

    ~StandInTool() {
        // Lets every tool still waiting go before the folder is removed.
        for (int i = 0; i < 8; ++i)
            Release();
        if (release_ >= 0)
            ::close(release_);
    }

    StandInTool(const StandInTool&) = delete;
    StandInTool& operator=(const StandInTool&) = delete;

    const std::filesystem::path& dir() const { return dir_.path(); }

    // The pids of the tools started so far, and of those that have ended.
    std::vector<int> Starts() const { return Pids("starts"); }
    std::vector<int> Finished() const { return Pids("finished"); }

    // Lets one waiting tool exit.
    void Release() {
        if (release_ >= 0 && ::write(release_, "go\n", 3) != 3) {
            ::close(release_);
            release_ = -1;
        }
    }

  private:
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
    int release_ = -1;
};

} // namespace kvn::test
