// Fuzzes the profile functions: a file of arbitrary bytes (or none, or no
// folder), then reads and writes with arbitrary sections, keys, values,
// defaults and buffer sizes. Beyond the sanitizers it checks that
// - a read stores nothing past its terminator and nothing past `size`, and
//   changes no file;
// - a failed write changes nothing and creates no folder;
// - a write changes no line but the one it targets (or inserts the key's line,
//   with a section header when the section is new);
// - a value that the file format can hold reads back as written;
// - nothing but the file is left in its folder.
#include <sys/stat.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "fuzz/fuzz_input.h"
#include "fuzz/fuzz_support.h"
#include "fuzz/line_diff.h"
#include "platform/profile/profile.h"

namespace {

using namespace kvn::fuzz;

constexpr unsigned char kCanary = 0xA5;

const char* Arg(const std::optional<std::string>& s) {
    return s ? s->c_str() : nullptr;
}

bool HasBreak(std::string_view s) {
    return s.find_first_of("\r\n") != std::string_view::npos;
}

// Text with white space at either end, which a read trims.
bool BlankAtAnEnd(std::string_view s) {
    return IsBlank(static_cast<unsigned char>(s.front())) ||
           IsBlank(static_cast<unsigned char>(s.back()));
}

bool HasBom(const std::string& file) {
    return file.rfind("\xEF\xBB\xBF", 0) == 0 || file.rfind("\xFF\xFE", 0) == 0 ||
           file.rfind("\xFE\xFF", 0) == 0;
}

// Bytes that Windows-1252 leaves undefined do not survive a UTF-8 or UTF-16 file.
bool SurvivesRecoding(std::string_view s) {
    return s.find_first_of("\x81\x8D\x8F\x90\x9D") == std::string_view::npos;
}

// A section or key name that a file line can hold and a read finds again.
bool RepresentableName(std::string_view name, bool isSection) {
    if (name.empty() || HasBreak(name) || BlankAtAnEnd(name))
        return false;
    if (isSection)
        return name.find_first_of("[]") == std::string_view::npos;
    return name.find('=') == std::string_view::npos && name.front() != ';' && name.front() != '#' &&
           name.front() != '[';
}

// A value that reads back unchanged: no line break, no blanks at the ends
// (they are trimmed) and not wrapped in one pair of quotes (they are removed).
bool RepresentableValue(std::string_view value) {
    if (value.empty())
        return true;
    if (HasBreak(value) || BlankAtAnEnd(value))
        return false;
    return !(value.size() >= 2 && value.front() == value.back() &&
             (value.front() == '"' || value.front() == '\''));
}

// A plain decimal number that GetPrivateProfileIntA must read back exactly.
bool SmallDecimal(std::string_view value, int& number) {
    std::string_view digits = value;
    if (!digits.empty() && digits.front() == '-')
        digits.remove_prefix(1);
    if (digits.empty() || digits.size() > 9 ||
        digits.find_first_not_of("0123456789") != std::string_view::npos)
        return false;
    number = std::atoi(std::string(value).c_str());
    return true;
}

std::string Quote(const std::optional<std::string>& s) {
    return s ? "\"" + *s + "\"" : std::string("NULL");
}

void CheckedGetString(const ProfileOp& op, const std::string& path) {
    // Exactly `size` bytes on the heap: AddressSanitizer reports any byte
    // stored past them; the canary shows bytes stored past the terminator.
    const std::unique_ptr<char[]> buffer(new char[op.size]);
    std::memset(buffer.get(), kCanary, op.size);
    const DWORD n = GetPrivateProfileStringA(Arg(op.section), Arg(op.key), Arg(op.text),
                                             buffer.get(), op.size, path.c_str());
    if (op.size == 0) {
        if (n != 0)
            Fail("a read into a zero-size buffer returned nonzero");
        return;
    }
    if (n >= op.size)
        Fail("a read returned more characters than the buffer holds",
             std::to_string(n) + " >= " + std::to_string(op.size));
    if (buffer[n] != '\0')
        Fail("a read left its result unterminated");
    // Listing sections or keys ends in a second terminator.
    const bool listing = !op.section || !op.key;
    if (!listing && std::memchr(buffer.get(), '\0', n) != nullptr)
        Fail("a read returned a length beyond the first terminator");
    for (DWORD i = n + (listing ? 2 : 1); i < op.size; ++i)
        if (static_cast<unsigned char>(buffer[i]) != kCanary)
            Fail("a read stored bytes past its terminator",
                 "at offset " + std::to_string(i) + " of " + std::to_string(op.size));
}

void CheckReadBack(const ProfileOp& op, const std::string& path) {
    static char buffer[2 * kMaxBufferSize + 2];
    const DWORD n = GetPrivateProfileStringA(op.section->c_str(), op.key->c_str(), "\x01", buffer,
                                             sizeof buffer, path.c_str());
    if (std::string_view(buffer, n) != *op.text)
        Fail("a value did not read back as written", "[" + *op.section + "] " + *op.key +
                                                         " wrote " + Quote(op.text) + ", read \"" +
                                                         std::string(buffer, n) + "\"");
    int number = 0;
    if (SmallDecimal(*op.text, number)) {
        const UINT read =
            GetPrivateProfileIntA(op.section->c_str(), op.key->c_str(), 12345, path.c_str());
        if (static_cast<int>(read) != number)
            Fail("a number did not read back as written",
                 *op.text + " read as " + std::to_string(static_cast<int>(read)));
    }
}

void CheckedWrite(const ProfileOp& op, const std::string& path, bool folderExists) {
    const bool existed = FileExists(path);
    const std::string before = existed ? ReadWholeFile(path) : std::string();
    const BOOL ok =
        WritePrivateProfileStringA(Arg(op.section), Arg(op.key), Arg(op.text), path.c_str());
    const bool exists = FileExists(path);
    const std::string after = exists ? ReadWholeFile(path) : std::string();
    const std::string call =
        "write " + Quote(op.section) + " " + Quote(op.key) + " " + Quote(op.text);

    if (!ok) {
        if (exists != existed || after != before)
            Fail("a failed write changed the file", call);
        return;
    }
    if (!folderExists)
        Fail("a write without its folder reported success", call);
    if (!exists)
        Fail("a successful write left no file", call);
    if (!op.section) {
        if (after != before)
            Fail("a write without a section changed the file", call);
        return;
    }
    if (!op.key) { // deletes the section: lines may only go
        if (const std::string e = CheckOnlyKeysChanged(after, before, {}, 0); !e.empty())
            Fail("deleting a section changed other lines", call + "\n" + e);
        return;
    }
    if (!op.text) { // deletes the key: only its lines may go
        if (const std::string e = CheckOnlyKeysChanged(before, after, {*op.key}, 0); !e.empty())
            Fail("deleting a key changed other lines", call + "\n" + e);
        return;
    }
    if (const std::string e = CheckSingleWrite(before, after, {*op.section, *op.key, *op.text});
        !e.empty())
        Fail("a write changed more than its line", call + "\n" + e);

    const bool recoded = HasBom(after);
    if (RepresentableName(*op.section, true) && RepresentableName(*op.key, false) &&
        RepresentableValue(*op.text) &&
        (!recoded || (SurvivesRecoding(*op.section) && SurvivesRecoding(*op.key) &&
                      SurvivesRecoding(*op.text))))
        CheckReadBack(op, path);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ProfileCase c = DecodeProfileCase(data, size);
    ClearScratchDir();
    const std::string folder = ScratchDir() + (c.folderExists ? "/ini" : "/nodir");
    const std::string path = folder + "/test.ini";
    if (c.folderExists) {
        ::mkdir(folder.c_str(), 0755);
        if (c.fileExists)
            WriteWholeFile(path, c.file);
    }

    for (const ProfileOp& op : c.ops) {
        const bool existed = FileExists(path);
        const std::string before = existed ? ReadWholeFile(path) : std::string();
        if (op.kind == ProfileOp::Write) {
            CheckedWrite(op, path, c.folderExists);
        } else {
            if (op.kind == ProfileOp::GetString)
                CheckedGetString(op, path);
            else
                GetPrivateProfileIntA(Arg(op.section), Arg(op.key),
                                      op.text ? std::atoi(op.text->c_str()) : 0, path.c_str());
            if (FileExists(path) != existed || (existed && ReadWholeFile(path) != before))
                Fail("a read changed the file");
        }
        if (!c.folderExists && FileExists(folder))
            Fail("a profile function created a folder");
        if (c.folderExists) {
            const std::string entries = ListDir(folder);
            if (!entries.empty() && entries != "test.ini")
                Fail("files left beside the profile file", entries);
        }
    }
    return 0;
}
