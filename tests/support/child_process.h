// Test helpers for running code in forked child processes: the faults that
// need a process of their own (a kill, a resource limit, another user).
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>

namespace kvn::test {

// Runs `body` in a forked child and waits for it. Returns "" when the body
// returned "" and the child exited normally; otherwise what the body returned,
// or how the child ended ("killed by signal 6"). `timeoutSeconds` bounds the
// child's run (SIGALRM): a hang is reported, not waited for.
std::string RunInChild(const std::function<std::string()>& body, unsigned timeoutSeconds = 60);

// Forks a child that runs `body` and then exits with its result (0 or 1)
// without returning. For children that the caller signals or waits for itself.
pid_t StartChild(const std::function<bool()>& body);

// How a waitpid() status ended a process: "exited 0", "killed by signal 9".
std::string DescribeStatus(int status);

// In a child running as root: becomes the user nobody (groups, gid, uid), so
// that file permissions apply. Returns false when that fails.
bool BecomeNobody();

// The uid and gid of the user nobody (65534 when it is not in the user list).
uid_t NobodyUid();
gid_t NobodyGid();

} // namespace kvn::test
