#include "tests/support/child_process.h"

#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

namespace kvn::test {

std::string RunInChild(const std::function<std::string()>& body, unsigned timeoutSeconds) {
    int fds[2];
    if (::pipe(fds) != 0)
        return std::string("pipe: ") + std::strerror(errno);
    const pid_t pid = ::fork();
    if (pid < 0)
        return std::string("fork: ") + std::strerror(errno);
    if (pid == 0) {
        ::close(fds[0]);
        ::alarm(timeoutSeconds);
        std::string message;
        try {
            message = body();
        } catch (const std::exception& e) {
            message = std::string("exception: ") + e.what();
        }
        const char* p = message.data();
        for (std::size_t left = message.size(); left > 0;) {
            const ssize_t n = ::write(fds[1], p, left);
            if (n <= 0)
                break;
            p += n;
            left -= static_cast<std::size_t>(n);
        }
        ::_exit(message.empty() ? 0 : 1);
    }
    ::close(fds[1]);
    std::string message;
    char chunk[512];
    ssize_t n;
    while ((n = ::read(fds[0], chunk, sizeof chunk)) > 0 || (n < 0 && errno == EINTR))
        if (n > 0)
            message.append(chunk, static_cast<std::size_t>(n));
    ::close(fds[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFSIGNALED(status) && WTERMSIG(status) == SIGALRM)
        return "the child hung (no end after " + std::to_string(timeoutSeconds) + " s)";
    if (!message.empty())
        return message;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "the child " + DescribeStatus(status);
    return "";
}

pid_t StartChild(const std::function<bool()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        bool ok = false;
        try {
            ok = body();
        } catch (...) {
        }
        ::_exit(ok ? 0 : 1);
    }
    return pid;
}

std::string DescribeStatus(int status) {
    if (WIFEXITED(status))
        return "exited " + std::to_string(WEXITSTATUS(status));
    if (WIFSIGNALED(status))
        return "killed by signal " + std::to_string(WTERMSIG(status));
    return "ended with status " + std::to_string(status);
}

uid_t NobodyUid() {
    const passwd* pw = ::getpwnam("nobody");
    return pw ? pw->pw_uid : 65534;
}

gid_t NobodyGid() {
    const passwd* pw = ::getpwnam("nobody");
    return pw ? pw->pw_gid : 65534;
}

bool BecomeNobody() {
    const uid_t uid = NobodyUid();
    const gid_t gid = NobodyGid();
    return ::setgroups(0, nullptr) == 0 && ::setresgid(gid, gid, gid) == 0 &&
           ::setresuid(uid, uid, uid) == 0 && ::geteuid() == uid;
}

} // namespace kvn::test
