#include "platform/profile/file_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace kvn::profile {
namespace {

// Closes a descriptor when it goes out of scope.
class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

  private:
    int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

std::string BaseNameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Temporary files are named ".<file name>.<pid>.<hex>.<n>.tmp": hidden like
// a dot file, with the writer's process id.
constexpr std::string_view kTemporaryEnd = ".tmp";

// A fresh name for a temporary file beside `path`.
std::string TemporaryName(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    const auto now = static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    char suffix[64];
    std::snprintf(suffix, sizeof suffix, ".%d.%llx.%u.tmp", static_cast<int>(::getpid()),
                  now & 0xFFFFFFFFull, counter.fetch_add(1));
    const std::string folder = FolderOf(path);
    return folder + "/." + BaseNameOf(path) + suffix;
}

// Makes a rename in `folder` durable. File systems that cannot sync a
// folder (EINVAL) keep their own rules; any other failure is reported.
bool SyncFolder(const std::string& folder) {
    Fd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() < 0)
        return false;
    return ::fsync(fd.get()) == 0 || errno == EINVAL;
}

bool AllOf(std::string_view s, std::string_view chars) {
    return !s.empty() && s.find_first_not_of(chars) == std::string_view::npos;
}

// The writer's process id from the name of one of our temporary files for a
// file named `base`; 0 for any other name.
pid_t TemporaryWriter(std::string_view name, const std::string& base) {
    if (name.size() < base.size() + 2 + kTemporaryEnd.size() || name[0] != '.' ||
        name.substr(1, base.size()) != base || name[base.size() + 1] != '.' ||
        !name.ends_with(kTemporaryEnd))
        return 0;
    name = name.substr(base.size() + 2, name.size() - base.size() - 2 - kTemporaryEnd.size());
    const std::size_t dot1 = name.find('.');
    if (dot1 == std::string_view::npos)
        return 0;
    const std::size_t dot2 = name.find('.', dot1 + 1);
    if (dot2 == std::string_view::npos)
        return 0;
    const std::string_view pid = name.substr(0, dot1);
    if (!AllOf(pid, "0123456789") || pid.size() > 9 ||
        !AllOf(name.substr(dot1 + 1, dot2 - dot1 - 1), "0123456789abcdef") ||
        !AllOf(name.substr(dot2 + 1), "0123456789"))
        return 0;
    return static_cast<pid_t>(std::stol(std::string(pid)));
}

} // namespace

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

ReadStatus ReadWholeFile(const std::string& path, FileBytes& bytes, struct stat* info) {
    bytes = FileBytes{};
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (fd.get() < 0)
        return errno == ENOENT || errno == ENOTDIR ? ReadStatus::Missing : ReadStatus::Failed;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        return ReadStatus::Failed;
    if (!S_ISREG(st.st_mode)) {
        errno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        return ReadStatus::Failed;
    }
    if (static_cast<std::uint64_t>(st.st_size) > kMaxFileSize) {
        errno = EFBIG;
        return ReadStatus::Failed;
    }
    if (info)
        *info = st;
    // Read the size fstat gave, then go on until end of file in case the
    // file grew meanwhile.
    std::size_t capacity = static_cast<std::size_t>(st.st_size) + 1;
    bytes.data.reset(new char[capacity]);
    for (;;) {
        if (bytes.size == capacity) {
            if (capacity > kMaxFileSize) {
                bytes = FileBytes{};
                errno = EFBIG;
                return ReadStatus::Failed;
            }
            std::unique_ptr<char[]> larger(new char[capacity * 2]);
            std::memcpy(larger.get(), bytes.data.get(), bytes.size);
            bytes.data = std::move(larger);
            capacity *= 2;
        }
        const ssize_t n = ::read(fd.get(), bytes.data.get() + bytes.size, capacity - bytes.size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            bytes = FileBytes{};
            return ReadStatus::Failed;
        }
        if (n == 0)
            return ReadStatus::Ok;
        bytes.size += static_cast<std::size_t>(n);
    }
}

std::string ResolveWriteTarget(const std::string& path) {
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return current;
        char target[PATH_MAX];
        const ssize_t n = ::readlink(current.c_str(), target, sizeof target - 1);
        if (n < 0)
            return {};
        std::string next(target, static_cast<std::size_t>(n));
        if (next.empty())
            return {};
        if (next[0] != '/')
            next = FolderOf(current) + "/" + next;
        current = std::move(next);
    }
    return {};
}

FolderLock::FolderLock(const std::string& folder) {
    Fd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() < 0)
        return;
    int status;
    while ((status = ::flock(fd.get(), LOCK_EX)) != 0 && errno == EINTR) {
    }
    locked_ = status == 0;
    fd_ = fd.release();
}

void RemoveStaleTemporaries(const std::string& path) {
    const int saved = errno;
    const std::string folder = FolderOf(path);
    const std::string base = BaseNameOf(path);
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            const pid_t writer = TemporaryWriter(entry->d_name, base);
            // The lock keeps live writers of ours out already; a file whose
            // process still runs is kept all the same.
            if (writer > 0 && writer != ::getpid() && ::kill(writer, 0) != 0 && errno == ESRCH)
                ::unlink((folder + "/" + entry->d_name).c_str());
        }
        ::closedir(dir);
    }
    errno = saved;
}

FolderLock::~FolderLock() {
    if (fd_ >= 0)
        ::close(fd_); // releases the lock
}

bool ReplaceFile(const std::string& path, std::initializer_list<std::string_view> pieces,
                 const struct stat* old) {
    std::string temporary;
    int raw = -1;
    for (int attempt = 0; attempt < 100 && raw < 0; ++attempt) {
        temporary = TemporaryName(path);
        // 0666 less the umask, as for any new file; an existing file's bits
        // are copied below.
        raw = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (raw < 0 && errno != EEXIST)
            return false;
    }
    if (raw < 0)
        return false;
    Fd fd(raw);

    bool ok = true;
    if (old) {
        if (old->st_uid != ::geteuid() || old->st_gid != ::getegid()) {
            // Keeping the owner needs privileges we may not have; the
            // permission bits below still hold.
            [[maybe_unused]] const int ignored = ::fchown(fd.get(), old->st_uid, old->st_gid);
        }
        ok = ::fchmod(fd.get(), old->st_mode & 07777) == 0;
    }
    for (const std::string_view piece : pieces)
        ok = ok && WriteAll(fd.get(), piece);
    ok = ok && ::fsync(fd.get()) == 0;
    ok = ::close(fd.release()) == 0 && ok;
    ok = ok && ::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) {
        const int reason = errno;
        ::unlink(temporary.c_str());
        errno = reason;
        return false;
    }
    return SyncFolder(FolderOf(path));
}

} // namespace kvn::profile
