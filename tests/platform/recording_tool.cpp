// Stand-in driver tool for the process tests. Writes what it was started
// with to the file that KVN_TOOL_RECORD names: its pid and session, current
// directory, argument vector and open descriptors. Then, when
// KVN_TOOL_WAIT_FOR names a file, waits until that file exists and writes
// "<record>.done". Exits with the code in KVN_TOOL_EXIT (default 0). On
// Windows it records neither session nor descriptors, and a file beside it
// named like it plus ".exit" gives its exit code, so that copies of it can
// tell which of them was started.
#ifdef _WIN32
#include <process.h>
#include <windows.h>
#else
#include <dirent.h>
#include <unistd.h>
#endif

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

int main(int argc, char** argv) {
    const char* record = std::getenv("KVN_TOOL_RECORD");
    if (!record)
        return 100;
    // Descriptors first, before this program opens any of its own.
    std::string fds;
#ifndef _WIN32
    if (DIR* d = ::opendir("/proc/self/fd")) {
        int own = ::dirfd(d);
        while (const dirent* e = ::readdir(d)) {
            if (e->d_name[0] != '.' && std::atoi(e->d_name) != own)
                fds += "fd " + std::string(e->d_name) + "\n";
        }
        ::closedir(d);
    }
#endif
    {
        // Written beside and renamed, so that a reader never sees half of it.
        std::string partial = std::string(record) + ".partial";
        std::ofstream out(partial, std::ios::binary);
#ifdef _WIN32
        out << "pid " << ::_getpid() << "\n";
#else
        out << "pid " << ::getpid() << "\nsid " << ::getsid(0) << "\n";
#endif
        out << "cwd " << std::filesystem::current_path().string() << "\n";
        for (int i = 0; i < argc; ++i)
            out << "arg " << argv[i] << "\n";
        out << fds;
        out.close();
        std::error_code ec;
        std::filesystem::rename(partial, record, ec);
    }
    if (const char* waitFor = std::getenv("KVN_TOOL_WAIT_FOR")) {
        for (int i = 0; i < 3000 && !std::filesystem::exists(waitFor); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::ofstream(std::string(record) + ".done") << "done\n";
    }
#ifdef _WIN32
    char self[MAX_PATH];
    DWORD length = ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
        int exitCode = 0;
        if (std::ifstream(std::string(self) + ".exit") >> exitCode)
            return exitCode;
    }
#endif
    const char* code = std::getenv("KVN_TOOL_EXIT");
    return code ? std::atoi(code) : 0;
}
