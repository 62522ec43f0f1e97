#include "settings/save_failure.h"

#include <cerrno>
#include <system_error>
#include <vector>

#include "platform/wintypes.h"

namespace {

enum class Cause { FolderMissing, ReadOnly, DiskFull, TooLarge, NotText, Other };

#ifdef _WIN32
Cause CauseOf(int error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return Cause::FolderMissing;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
        return Cause::ReadOnly;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return Cause::DiskFull;
    case ERROR_FILE_TOO_LARGE:
        return Cause::TooLarge;
    default:
        return Cause::Other;
    }
}

const std::error_category& Category() {
    return std::system_category();
}
#else
Cause CauseOf(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return Cause::FolderMissing;
    case EACCES:
    case EPERM:
    case EROFS:
        return Cause::ReadOnly;
    case ENOSPC:
    case EDQUOT:
        return Cause::DiskFull;
    case EFBIG:
        return Cause::TooLarge;
    case EILSEQ:
        return Cause::NotText;
    default:
        return Cause::Other;
    }
}

const std::error_category& Category() {
    return std::generic_category();
}
#endif

// "A", "A and B", "A, B and C".
std::string Listed(const std::vector<const char*>& keys) {
    std::string list;
    for (std::size_t i = 0; i < keys.size(); ++i)
        list += (i == 0 ? "" : i + 1 == keys.size() ? " and " : ", ") + std::string(keys[i]);
    return list;
}

// What the file holds now: nothing of this save, or the keys written before
// the failure and not those after.
std::string WhatWasSaved(const SaveResult& result) {
    if (result.saved.empty())
        return "The settings could not be saved to " + result.file + ".";
    const auto was = [](const std::vector<const char*>& keys) {
        return keys.size() == 1 ? " was" : " were";
    };
    return "Only part of the settings could be saved to " + result.file + ": " +
           Listed(result.saved) + was(result.saved) + " saved; " + Listed(result.notSaved) +
           was(result.notSaved) + " not.";
}

} // namespace

std::string SaveFailureMessage(const SaveResult& result) {
    std::string reason;
    switch (CauseOf(result.error)) {
    case Cause::FolderMissing:
        reason = "The folder does not exist.";
        break;
    case Cause::ReadOnly:
        reason = "The file or its folder is read-only.";
        break;
    case Cause::DiskFull:
        reason = "The disk is full.";
        break;
    case Cause::TooLarge:
        reason = "The file is too large.";
        break;
    case Cause::NotText:
        reason = "The file does not hold plain text; it was left as it was.";
        break;
    case Cause::Other:
        reason = "The file could not be written (" + Category().message(result.error) + ").";
        break;
    }
    return WhatWasSaved(result) + "\n\n" + reason;
}
