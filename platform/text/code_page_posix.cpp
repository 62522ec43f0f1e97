// The ANSI code page on Linux: from the player's locale, converted with the
// C library's iconv. Its converters know every code page in question; what
// they lack is Windows' treatment of undefined bytes and its best fit.
#include "platform/text/code_page.h"

#include <iconv.h>

#include "platform/text/best_fit.h"
#include "platform/text/locale_code_page.h"
#include "platform/text/utf8_text.h"

namespace kvn {
namespace {

// One iconv conversion between a code page and UTF-8.
class Converter {
  public:
    Converter(const std::string& to, const std::string& from)
        : cd_(iconv_open(to.c_str(), from.c_str())) {}
    ~Converter() {
        if (ok())
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // False when the C library has no such converter.
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts `in`, one character, whole, and appends it to `out`; false
    // when the converter rejects it or makes nothing of it. One character at
    // a time, because a converter's report of where a bad sequence starts is
    // not always right (glibc's for code page 949 swallows the character
    // after some undefined pairs), and so that nothing is combined across
    // characters, as on Windows (glibc composes Vietnamese tone marks).
    bool ConvertCharacter(std::string_view in, std::string& out) {
        if (!ok())
            return false;
        char* inPtr = const_cast<char*>(in.data());
        std::size_t inLeft = in.size();
        char buffer[16];
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        constexpr auto kFailed = static_cast<std::size_t>(-1);
        iconv(cd_, nullptr, nullptr, nullptr, nullptr); // the initial state
        const bool converted =
            iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) != kFailed && inLeft == 0 &&
            iconv(cd_, nullptr, nullptr, &outPtr, &outLeft) != kFailed && outPtr != buffer;
        if (converted)
            out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        return converted;
    }

  private:
    iconv_t cd_;
};

std::string IconvName(unsigned codePage) {
    return "CP" + std::to_string(codePage);
}

bool IsAscii(std::string_view text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

// The character of a byte the converter rejects.
char32_t UndefinedByte(unsigned codePage, unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 && !IsLeadByte(codePage, byte) ? byte : 0xFFFD;
}

} // namespace

unsigned AnsiCodePage() {
    return CodePageOfLocale(CharacterLocale());
}

bool IsLeadByte(unsigned codePage, unsigned char byte) {
    switch (codePage) {
    case 932:
        return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    case 936:
    case 949:
    case 950:
        return byte >= 0x81 && byte <= 0xFE;
    default:
        return false;
    }
}

std::string CodePageToUtf8(std::string_view bytes, unsigned codePage) {
    if (IsAscii(bytes))
        return std::string(bytes);
    Converter converter("UTF-8", IconvName(codePage));
    std::string out;
    out.reserve(bytes.size() * 2);
    for (std::size_t pos = 0; pos < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[pos]);
        const std::size_t width = IsLeadByte(codePage, byte) ? 2 : 1;
        if (byte < 0x80) {
            out += static_cast<char>(byte);
        } else if (pos + width > bytes.size() ||
                   !converter.ConvertCharacter(bytes.substr(pos, width), out)) {
            // Undefined, or a lead byte without its second byte: the next
            // byte, if any, starts afresh.
            AppendUtf8(out, UndefinedByte(codePage, byte));
            ++pos;
            continue;
        }
        pos += width;
    }
    return out;
}

std::string Utf8ToCodePage(std::string_view utf8, unsigned codePage) {
    if (IsAscii(utf8))
        return std::string(utf8);
    Converter converter(IconvName(codePage), "UTF-8");
    std::string out;
    out.reserve(utf8.size());
    std::string one;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const char32_t c = NextUtf8(utf8, pos);
        if (c < 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        one.clear();
        AppendUtf8(one, c);
        if (converter.ConvertCharacter(one, out))
            continue;
        // A C1 control comes back as the undefined byte it was decoded from.
        const auto byte = static_cast<char>(c);
        if (c >= 0x80 && c < 0xA0 && CodePageToUtf8(std::string_view(&byte, 1), codePage) == one)
            out += byte;
        else
            out += BestFit(c, codePage);
    }
    return out;
}

} // namespace kvn
