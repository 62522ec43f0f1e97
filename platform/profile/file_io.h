// Whole-file reads and the atomic replacement of a file.
#pragma once

#include <sys/stat.h>

#include <cstddef>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

namespace kvn::profile {

enum class ReadStatus { Ok, Missing, Failed };

// A file's bytes (not zero-filled before reading: a read costs one copy).
struct FileBytes {
    std::unique_ptr<char[]> data;
    std::size_t size = 0;
    std::string_view view() const { return {data.get(), size}; }
};

// The largest file read: a profile file is a few kilobytes, and a huge file
// in its place must not exhaust memory.
constexpr std::size_t kMaxFileSize = 64u << 20;

// Reads the regular file at `path` (following symlinks). Missing when there
// is no such file; Failed when it cannot be read, is not a regular file or is
// larger than kMaxFileSize.
// `info` receives its status when not null.
ReadStatus ReadWholeFile(const std::string& path, FileBytes& bytes, struct stat* info = nullptr);

// The file that a write to `path` replaces: symlinks followed to their final
// target (which need not exist yet). Empty for a symlink loop.
std::string ResolveWriteTarget(const std::string& path);

// Holds an exclusive advisory lock that serialises our writers of the files
// in one folder.
//
// A write replaces the file by renaming a new one over it, so the file's
// inode changes with every write: a lock on the old file would protect
// nothing once it is replaced. The folder's inode stays, and locking it needs
// no extra lock file in the game's folder. The lock covers every file of the
// folder, which costs nothing here: writes are rare and short. Where the file
// system offers no such lock (some network file systems), writers go on
// unlocked rather than fail.
class FolderLock {
  public:
    explicit FolderLock(const std::string& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    // False when the folder cannot be opened, e.g. when it does not exist.
    bool folderExists() const { return fd_ >= 0; }
    // True when the lock is held (not merely the folder open).
    bool locked() const { return locked_; }

  private:
    int fd_ = -1;
    bool locked_ = false;
};

// Removes the temporary files that writers of `path` left when they died
// half-way: only files named as ours for that file whose writer process is
// gone. Call it holding the folder's lock, so that no live writer of ours is
// between creating its temporary file and renaming it.
void RemoveStaleTemporaries(const std::string& path);

// Replaces (or creates) the file at `path` with the `pieces` in order, so
// that an edit needs no copy of the whole text: a temporary file in
// the same folder is written, synced to disk and renamed over it, so readers
// see the old file or the new one, never a mix. The new file gets the
// permission bits (and, where allowed, the owner) of `old`; a new file gets
// the default permissions. After the rename the folder is synced, so that the
// new file survives a power loss. Returns false, with errno set, on any
// failure (leaving the old file as it was unless only the folder's sync
// failed); never creates a folder.
bool ReplaceFile(const std::string& path, std::initializer_list<std::string_view> pieces,
                 const struct stat* old);

// The folder part of a host path ("." for a bare name).
std::string FolderOf(const std::string& path);

} // namespace kvn::profile
