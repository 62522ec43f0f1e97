// Display text on Windows: the system's profile functions, read wide when
// the file has a byte-order mark and converted to UTF-8 here.
#include "platform/profile/display_text.h"

#include <cstring>
#include <string>

#include "platform/text/ansi_text.h"

namespace {

// Longest value a profile read returns.
constexpr DWORD kWholeValue = 32767;

// Whether the profile file starts with a UTF-8 or UTF-16 byte-order mark. A
// bare file name is in the Windows directory, as for the profile functions.
bool HasByteOrderMark(LPCSTR fileName) {
    std::string path = fileName;
    if (path.find_first_of("\\/:") == std::string::npos) {
        char folder[MAX_PATH];
        const UINT length = GetWindowsDirectoryA(folder, MAX_PATH);
        if (length == 0 || length >= MAX_PATH)
            return false;
        path = std::string(folder) + "\\" + path;
    }
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    unsigned char head[3] = {};
    DWORD got = 0;
    const BOOL read = ReadFile(file, head, sizeof head, &got, nullptr);
    CloseHandle(file);
    if (!read || got < 2)
        return false;
    return (head[0] == 0xFF && head[1] == 0xFE) || (head[0] == 0xFE && head[1] == 0xFF) ||
           (got == 3 && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF);
}

std::wstring Widen(LPCSTR text) {
    if (text == nullptr)
        return {};
    const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring wide(length > 0 ? length : 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
    wide.resize(wide.size() - 1);
    return wide;
}

std::string ToUtf8(const wchar_t* text, DWORD length) {
    if (length == 0)
        return {};
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0,
                                          nullptr, nullptr);
    std::string utf8(bytes > 0 ? bytes : 0, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), utf8.data(), bytes, nullptr,
                        nullptr);
    return utf8;
}

} // namespace

ProfileDisplayReader::ProfileDisplayReader(LPCSTR fileName)
    : fileName_(fileName), marked_(fileName != nullptr && HasByteOrderMark(fileName)) {}

DWORD ProfileDisplayReader::Read(LPCSTR section, LPCSTR key, LPCSTR def, LPSTR buffer,
                                 DWORD size) const {
    if (buffer == nullptr || size == 0)
        return 0;
    const LPCSTR fileName = fileName_;
    // The whole value first, so that the cut below can keep characters whole.
    std::string value;
    if (section && key && marked_) {
        std::wstring wide(kWholeValue, L'\0');
        const std::wstring wideDef = Widen(def);
        const DWORD length = GetPrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(),
                                                      def ? wideDef.c_str() : nullptr, wide.data(),
                                                      kWholeValue, Widen(fileName).c_str());
        value = ToUtf8(wide.data(), length);
    } else {
        std::string narrow(kWholeValue, '\0');
        value.assign(narrow.data(), GetPrivateProfileStringA(section, key, def, narrow.data(),
                                                             kWholeValue, fileName));
    }
    const std::size_t copied = kvn::TextCutLength(value, size - 1);
    std::memcpy(buffer, value.data(), copied);
    buffer[copied] = '\0';
    return static_cast<DWORD>(copied);
}
