// The profile functions on this system: the file is read whole for every
// call and written by atomic replacement.
#include "platform/profile/profile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <exception>
#include <string>
#include <string_view>

#include "platform/profile/display_text.h"
#include "platform/profile/file_io.h"
#include "platform/profile/key_lookup.h"
#include "platform/profile/line_scanner.h"
#include "platform/profile/profile_edit.h"
#include "platform/profile/profile_path.h"
#include "platform/profile/text_encoding.h"
#include "platform/text/ansi_text.h"
#include "platform/text/integer_rules.h"

namespace {

using namespace kvn::profile;

// The stored value of `key` in `section` of `fileName`, in ANSI, or with
// `unicode` in UTF-8 when the file has a byte-order mark. False when the
// file, the section or the key is missing, or the key has no '='.
bool ReadStoredValue(const char* section, const char* key, const char* fileName, std::string& value,
                     bool unicode = false) {
    const std::string path = ProfileHostPath(fileName);
    FileBytes bytes;
    if (path.empty() || ReadWholeFile(path, bytes) != ReadStatus::Ok)
        return false;
    const DecodedText decoded = DecodeFileText(bytes.view());
    const std::string sectionText = AnsiToFileText(Trim(section), decoded.encoding);
    const std::string keyText = AnsiToFileText(Trim(key), decoded.encoding);
    const KeyLookup found = FindKey(decoded.text(), sectionText, keyText);
    if (!found.keyFound || !found.parsed.hasValue)
        return false;
    const std::string_view text = ValueText(decoded.text(), found.parsed);
    value = unicode ? std::string(text) : FileTextToAnsi(text, decoded.encoding);
    return true;
}

// The default as the platform uses it: trailing spaces dropped, but a default
// of only spaces keeps one.
std::string_view DefaultText(const char* def) {
    std::string_view text = def ? def : "";
    while (text.size() > 1 && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

// Copies a value into the caller's buffer of `size` characters (size > 0)
// and returns the characters copied. One pair of matching quotes around the
// value is dropped, but only when the closing quote fits: a cut value keeps
// what fits of its text after the opening quote. With `wholeCharacters` a
// cut never splits a character (see TextCutLength).
DWORD CopyValue(std::string_view value, LPSTR buffer, DWORD size, bool wholeCharacters = false) {
    bool quoted = false;
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0]) {
        quoted = true;
        value.remove_prefix(1); // the closing quote is still in value
    }
    std::size_t copied = value.size() < size ? value.size() : size - 1;
    if (quoted && size >= value.size() && copied > 0)
        --copied;
    if (wholeCharacters)
        copied = kvn::TextCutLength(quoted ? value.substr(0, value.size() - 1) : value, copied);
    value = value.substr(0, copied);
    std::memcpy(buffer, value.data(), value.size());
    buffer[value.size()] = '\0';
    return static_cast<DWORD>(value.size());
}

// Fails a write with `error` as the reason left in errno, for refusals that
// no failed system call explains.
bool Refuse(int error) {
    errno = error;
    return false;
}

// Writes are refused for files we may not change: no write access, or no
// write permission bit at all (the read-only attribute, which holds even for
// root, as it does on Windows).
bool MayWrite(const std::string& path, const struct stat& info) {
    if ((info.st_mode & 0222) == 0)
        return Refuse(EACCES);
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

// The write itself; see WritePrivateProfileStringA.
bool WriteValue(const char* section, const char* key, const char* value, const char* fileName) {
    const std::string path = ProfileHostPath(fileName);
    if (path.empty())
        return Refuse(ENOENT); // no such file, e.g. a drive without a mapping
    const std::string target = ResolveWriteTarget(path);
    if (target.empty())
        return Refuse(ELOOP);

    FolderLock lock(FolderOf(target));
    if (!lock.folderExists())
        return false; // also when the folder is missing: it is never created

    FileBytes bytes;
    struct stat info {};
    errno = EIO; // the reason when the file is there but is not one we can read
    const ReadStatus status = ReadWholeFile(target, bytes, &info);
    if (status == ReadStatus::Failed || (status == ReadStatus::Ok && !MayWrite(target, info)))
        return false;
    if (lock.locked())
        RemoveStaleTemporaries(target);
    const DecodedText decoded = DecodeFileText(bytes.view());
    const std::string_view text = decoded.text();
    const auto edit =
        PlanWrite(text, AnsiToFileText(section, decoded.encoding),
                  AnsiToFileText(key, decoded.encoding), AnsiToFileText(value, decoded.encoding));
    if (!edit)
        return Refuse(EINVAL);
    if (!edit->changed && status == ReadStatus::Ok)
        return true; // the file already says so: leave it untouched
    // UTF-16 without its mark: lines of 8-bit text added to it would be
    // misread. Any other file, odd bytes and all, has only its target line
    // changed.
    if (decoded.mark.empty() && LooksLikeUtf16(text))
        return Refuse(EILSEQ);
    const struct stat* old = status == ReadStatus::Ok ? &info : nullptr;
    if (decoded.utf16()) {
        const std::string bytesOut = EncodeUtf16File(ApplyEdit(text, *edit), decoded);
        return ReplaceFile(target, {bytesOut}, old);
    }
    // A line put first in a file without a byte-order mark must not begin
    // with the bytes of one: every other line would then read as UTF-8 or
    // UTF-16.
    if (decoded.mark.empty() && edit->begin == 0 &&
        DecodeFileText(edit->replacement + std::string(text.substr(edit->end, 3))).encoding !=
            TextEncoding::Ansi)
        return Refuse(EINVAL);
    return ReplaceFile(
        target,
        {decoded.mark, text.substr(0, edit->begin), edit->replacement, text.substr(edit->end)},
        old);
}

} // namespace

namespace {

// The stored value, or the default text; `display` reads it as text to show
// (see ProfileDisplayReader).
DWORD ReadText(LPCSTR section, LPCSTR key, LPCSTR def, LPSTR buffer, DWORD size, LPCSTR fileName,
               bool display) {
    if (buffer == nullptr || size == 0)
        return 0;
    try {
        std::string stored;
        // Listing sections or keys (a NULL section or key) is not provided.
        if (section && key && ReadStoredValue(section, key, fileName, stored, display))
            return CopyValue(stored, buffer, size, display);
    } catch (const std::exception&) {
        // Out of memory: the file counts as unreadable.
    }
    return CopyValue(DefaultText(def), buffer, size, display);
}

} // namespace

DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR def, LPSTR buffer, DWORD size,
                               LPCSTR fileName) {
    return ReadText(section, key, def, buffer, size, fileName, false);
}

UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT def, LPCSTR fileName) {
    char text[30];
    if (GetPrivateProfileStringA(section, key, "", text, sizeof text, fileName) == 0)
        return static_cast<UINT>(def);
    return kvn::ParseProfileInteger(text);
}

BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName) {
    // Deleting a key or a section (a NULL value or key) is not provided.
    if (section == nullptr || key == nullptr || value == nullptr) {
        errno = EINVAL;
        return FALSE;
    }
    try {
        return WriteValue(section, key, value, fileName) ? TRUE : FALSE;
    } catch (const std::exception&) {
        errno = ENOMEM; // nothing was replaced
        return FALSE;
    }
}

ProfileDisplayReader::ProfileDisplayReader(LPCSTR fileName) : fileName_(fileName) {}

DWORD ProfileDisplayReader::Read(LPCSTR section, LPCSTR key, LPCSTR def, LPSTR buffer,
                                 DWORD size) const {
    return ReadText(section, key, def, buffer, size, fileName_, true);
}
