// Times one start of a GUI program: from just before it is spawned to the
// moment the X server maps its top-level window, and its peak resident set.
//
//   startup_probe [--title TEXT] [--timeout-ms N] -- program [args...]
//       prints "<milliseconds> <peak RSS in KiB> <CPU milliseconds>" and
//       kills the program; the CPU time is the spawned process's own, user
//       and system, until it is killed.
//   startup_probe --bare-window TEXT
//       maps a plain Xlib window with that title and waits to be killed;
//       timing it gives the floor of the method (spawn, link, connect, map).
//
// The probe listens for MapNotify on the root window, so the clock stops in
// the server's order of events, not at some later paint or poll. The window
// must be mapped by the spawned program; with --title only a window whose
// name is TEXT counts. Exit status 0 on success, 1 on any failure.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

double NowMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

// A window may be gone by the time its title is read; that is not an error.
int IgnoreXError(Display*, XErrorEvent*) {
    return 0;
}

int Fail(const char* what) {
    std::fprintf(stderr, "startup_probe: %s\n", what);
    return 1;
}

// The window's title: _NET_WM_NAME (UTF-8) when set, else WM_NAME.
std::string WindowTitle(Display* display, Window window) {
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(display, window, netName, 0, 1024, False, utf8, &type, &format, &count,
                           &after, &data) == Success &&
        data != nullptr && type == utf8 && format == 8) {
        title.assign(reinterpret_cast<char*>(data), count);
    }
    if (data != nullptr) {
        XFree(data);
    }
    if (title.empty()) {
        char* name = nullptr;
        if (XFetchName(display, window, &name) && name != nullptr) {
            title = name;
            XFree(name);
        }
    }
    return title;
}

int BareWindow(const char* title) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return Fail("cannot open the display");
    }
    const int screen = DefaultScreen(display);
    const Window window =
        XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, 320, 200, 0,
                            BlackPixel(display, screen), WhitePixel(display, screen));
    XStoreName(display, window, title);
    XMapWindow(display, window);
    XFlush(display);
    pause();
    return 0;
}

struct Options {
    std::optional<std::string> title;
    int timeoutMs = 20000;
    char** command = nullptr;
};

std::optional<Options> ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--title" && i + 1 < argc) {
            options.title = argv[++i];
        } else if (arg == "--timeout-ms" && i + 1 < argc) {
            options.timeoutMs = std::atoi(argv[++i]);
        } else if (arg == "--" && i + 1 < argc) {
            options.command = argv + i + 1;
            return options;
        } else {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--bare-window") == 0) {
        return BareWindow(argv[2]);
    }
    const std::optional<Options> options = ParseOptions(argc, argv);
    if (!options) {
        std::fprintf(stderr, "usage: startup_probe [--title TEXT] [--timeout-ms N] -- program "
                             "[args...]\n       startup_probe --bare-window TEXT\n");
        return 1;
    }

    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return Fail("cannot open the display");
    }
    XSetErrorHandler(IgnoreXError);
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const double start = NowMs();
    pid_t child = 0;
    if (const int error =
            posix_spawn(&child, options->command[0], nullptr, nullptr, options->command, environ)) {
        std::fprintf(stderr, "startup_probe: cannot start %s: %s\n", options->command[0],
                     std::strerror(error));
        return 1;
    }

    double mapped = -1;
    bool exitedEarly = false;
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    while (mapped < 0) {
        while (XPending(display) > 0 && mapped < 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type != MapNotify || event.xmap.override_redirect) {
                continue;
            }
            const double at = NowMs();
            if (!options->title || WindowTitle(display, event.xmap.window) == *options->title) {
                mapped = at;
            }
        }
        if (mapped >= 0) {
            break;
        }
        siginfo_t info{};
        if (waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
            info.si_pid == child) {
            // A program may map its window and exit at once: collect every
            // event the server generated before its exit, then look again.
            if (exitedEarly) {
                break;
            }
            exitedEarly = true;
            XSync(display, False);
            continue;
        }
        if (NowMs() - start > options->timeoutMs) {
            break;
        }
        poll(&connection, 1, 20);
    }

    kill(child, SIGKILL);
    int status = 0;
    rusage usage{};
    while (wait4(child, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    XCloseDisplay(display);
    if (mapped < 0) {
        return Fail(exitedEarly ? "the program exited before mapping its window"
                                : "timed out waiting for the window");
    }
    const auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    std::printf("%.2f %ld %.2f\n", mapped - start, usage.ru_maxrss,
                ms(usage.ru_utime) + ms(usage.ru_stime));
    return 0;
}
