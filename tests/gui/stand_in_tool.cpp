// The stand-in driver tool of the GUI tests (see stand_in_tool.h), for both
// platforms: in the current directory it notes its pid in "starts", waits
// until "release" has as many lines as its place in "starts" (at most 30 s,
// so that none is left behind), notes its pid in "finished" and exits.
#include <chrono>
#include <fstream>
#include <string>
#include <thread>

#ifdef _WIN32
#include <process.h>
#define getpid _getpid
#else
#include <unistd.h>
#endif

namespace {

void Note(const char* file, int pid) {
    std::ofstream(file, std::ios::app) << pid << '\n';
}

// The 1-based line of `pid` in `file`, or its number of lines without it.
int LineOf(const char* file, int pid) {
    std::ifstream in(file);
    int lines = 0;
    for (std::string line; std::getline(in, line);) {
        ++lines;
        if (line == std::to_string(pid))
            return lines;
    }
    return lines;
}

} // namespace

int main() {
    const int pid = static_cast<int>(getpid());
    Note("starts", pid);
    const int place = LineOf("starts", pid);
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (LineOf("release", 0) < place && std::chrono::steady_clock::now() < limit)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    Note("finished", pid);
    return 0;
}
