// Program start on POSIX: posix_spawn, never a shell.
#include "platform/paths/host_folders.h"
#include "platform/paths/steam_library.h"
#include "platform/paths/wine_prefix.h"
#include "platform/process/command_line.h"
#include "platform/process/player_environment.h"
#include "platform/process/program_path.h"
#include "platform/process/start_program.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <vector>

#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
#define KVN_HAVE_ADDCLOSEFROM 1
#endif

namespace kvn {
namespace {

// Whether the file begins with the bytes "MZ", the mark of a Windows program.
bool IsWindowsProgram(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    char mark[2] = {};
    ssize_t got;
    do {
        got = ::read(fd, mark, sizeof mark);
    } while (got < 0 && errno == EINTR);
    ::close(fd);
    return got == 2 && mark[0] == 'M' && mark[1] == 'Z';
}

// The batch file's Windows path for Wine's command interpreter: the path as
// written, with ".\" before a bare name, the extension that the search added,
// and "\" for "/" (which the interpreter would take for an option). Wine
// resolves it in the same prefix and current directory as we did.
std::string BatchFileWindowsPath(std::string windowsPath, const std::string& file) {
    if (windowsPath.find_first_of("\\/:") == std::string::npos)
        windowsPath.insert(0, ".\\");
    std::size_t nameStart = windowsPath.find_last_of("\\/:");
    if (windowsPath.find('.', nameStart + 1) == std::string::npos)
        windowsPath += file.substr(file.size() - 4);
    std::replace(windowsPath.begin(), windowsPath.end(), '/', '\\');
    return windowsPath;
}

// The executable `name` in the directories of PATH, or "".
std::string FindOnPath(const std::string& name) {
    std::string path;
    if (const char* env = std::getenv("PATH")) {
        path = env;
    } else {
        path.resize(::confstr(_CS_PATH, nullptr, 0));
        ::confstr(_CS_PATH, path.data(), path.size());
        path.resize(path.find('\0'));
    }
    std::size_t pos = 0;
    for (;;) {
        std::size_t end = path.find(':', pos);
        std::string dir = path.substr(pos, end == std::string::npos ? end : end - pos);
        std::string candidate = (dir.empty() ? std::string(".") : dir) + "/" + name;
        struct stat st {};
        if (::stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
            ::access(candidate.c_str(), X_OK) == 0)
            return candidate;
        if (end == std::string::npos)
            return {};
        pos = end + 1;
    }
}

#ifndef KVN_HAVE_ADDCLOSEFROM
// Without a close-from file action, mark every descriptor above the standard
// streams close-on-exec. This process never runs exec itself, so the flag
// changes nothing for it.
void MarkDescriptorsCloseOnExec() {
    DIR* d = ::opendir("/dev/fd");
    if (!d)
        return;
    int own = ::dirfd(d);
    while (const dirent* e = ::readdir(d)) {
        int fd = std::atoi(e->d_name);
        if (fd > 2 && fd != own)
            ::fcntl(fd, F_SETFD, ::fcntl(fd, F_GETFD) | FD_CLOEXEC);
    }
    ::closedir(d);
}
#endif

// Sets `name` to `value` in `environment`, in place of any value it has.
void SetVariable(std::vector<std::string>& environment, const std::string& name,
                 const std::string& value) {
    const std::string start = name + "=";
    std::erase_if(environment, [&](const std::string& e) { return e.starts_with(start); });
    environment.push_back(start + value);
}

// The Steam folder, for Proton's script: the one the player's environment
// names, else where Steam links or installs it, else the library's own.
std::string SteamFolder(const std::string& compatData) {
    if (const char* given = std::getenv("STEAM_COMPAT_CLIENT_INSTALL_PATH"); given && *given)
        return given;
    if (const char* home = std::getenv("HOME"); home && *home) {
        for (const char* place : {"/.steam/steam", "/.local/share/Steam"})
            if (IsDirectory(std::string(home) + place))
                return std::string(home) + place;
    }
    // <library>/steamapps/compatdata/<appid>
    const std::string library = ParentOf(ParentOf(ParentOf(compatData)));
    return library.empty() ? "/" : library;
}

// Starts `file` with `argv` and `environment` in a session of its own.
// Returns its pid, or -1.
pid_t Spawn(const std::string& file, const std::vector<std::string>& args,
            std::vector<std::string> environment) {
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& e : environment)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attr;
    if (::posix_spawn_file_actions_init(&actions) != 0)
        return -1;
    if (::posix_spawnattr_init(&attr) != 0) {
        ::posix_spawn_file_actions_destroy(&actions);
        return -1;
    }
#ifdef KVN_HAVE_ADDCLOSEFROM
    bool ready = ::posix_spawn_file_actions_addclosefrom_np(&actions, 3) == 0;
#else
    MarkDescriptorsCloseOnExec();
    bool ready = true;
#endif
    // Default signal handling and an empty mask, whatever this thread has. A
    // session of its own keeps the terminal's Ctrl-C and hang-up, aimed at
    // this program, away from the tool, which must outlive it.
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    ready = ready && ::posix_spawnattr_setsigmask(&attr, &none) == 0 &&
            ::posix_spawnattr_setsigdefault(&attr, &all) == 0 &&
            ::posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF |
                                                  POSIX_SPAWN_SETSID) == 0;
    pid_t pid = -1;
    if (ready && ::posix_spawn(&pid, file.c_str(), &actions, &attr, argv.data(), envp.data()) != 0)
        pid = -1;
    ::posix_spawnattr_destroy(&attr);
    ::posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// Waits for `pid` to end and reaps it. A process ended by a signal gives
// 128 plus the signal's number, as shells report it.
int WaitForExit(pid_t pid) {
    int status = 0;
    pid_t done;
    do {
        done = ::waitpid(pid, &status, 0);
    } while (done < 0 && errno == EINTR);
    if (done != pid)
        return -1;
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return -1;
}

} // namespace

int StartProgramAndWait(const std::string& windowsPath, const std::string& commandLine) {
    std::optional<MissingProton> missing;
    return StartProgramAndWait(windowsPath, commandLine, missing);
}

int StartProgramAndWait(const std::string& windowsPath, const std::string& commandLine,
                        std::optional<MissingProton>& missing) {
    missing.reset();
    std::string file = ResolveProgramPath(windowsPath);
    if (file.empty())
        return -1;
    std::vector<std::string> args = SplitCommandLine(commandLine);

    // The environment as the player gave it to us, without what we set for
    // ourselves, and the game's prefix where the player did not name it.
    const GamePrefix prefix = FindGamePrefix();
    std::vector<std::string> environment = ReceivedEnvironment();
    if (prefix.origin == PrefixOrigin::Folder || prefix.origin == PrefixOrigin::Steam)
        SetVariable(environment, "WINEPREFIX", prefix.path);

    const bool batch = IsBatchFile(file);
    if (batch || IsWindowsProgram(file)) {
        if (batch) {
            // Wine's command interpreter runs the batch file itself, with the
            // arguments after the name.
            args[0] = BatchFileWindowsPath(windowsPath, file);
            args.insert(args.begin(), {"cmd", "/c"});
        } else {
            // Wine takes the program's path where its name would be; the
            // arguments after the name are passed on unchanged.
            std::error_code ec;
            args[0] = std::filesystem::absolute(file, ec).string();
            if (ec)
                return -1;
        }
        if (prefix.compatData.empty()) {
            file = FindOnPath("wine");
            if (file.empty())
                return -1;
            args.insert(args.begin(), "wine");
        } else {
            const std::string proton = ProtonFolder(prefix.compatData);
            file = proton + "/proton";
            if (proton.empty() || !IsRegularFile(file) || ::access(file.c_str(), X_OK) != 0) {
                missing = MissingProton{prefix.path, proton};
                return -1;
            }
            args.insert(args.begin(), {file, "run"});
            SetVariable(environment, "STEAM_COMPAT_DATA_PATH", prefix.compatData);
            SetVariable(environment, "STEAM_COMPAT_CLIENT_INSTALL_PATH",
                        SteamFolder(prefix.compatData));
        }
    }
    pid_t pid = Spawn(file, args, std::move(environment));
    return pid < 0 ? -1 : WaitForExit(pid);
}

} // namespace kvn
