// The ANSI code page on Windows: the system's, and its own conversions.
#include "platform/text/code_page.h"

#include <climits>

#include "platform/wintypes.h"

namespace kvn {

unsigned AnsiCodePage() {
    return GetACP();
}

bool IsLeadByte(unsigned codePage, unsigned char byte) {
    return IsDBCSLeadByteEx(codePage, byte) != FALSE;
}

std::string CodePageToUtf8(std::string_view bytes, unsigned codePage) {
    if (bytes.empty() || bytes.size() > INT_MAX / 4)
        return {};
    const int size = static_cast<int>(bytes.size());
    const int wideLength = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    if (wideLength <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), wideLength);
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

} // namespace kvn
