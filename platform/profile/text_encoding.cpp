#include "platform/profile/text_encoding.h"

#include "platform/text/code_page.h"
#include "platform/text/utf8_text.h"

namespace kvn::profile {
namespace {

char16_t UnitAt(std::string_view bytes, std::size_t i, bool bigEndian) {
    const auto a = static_cast<unsigned char>(bytes[i]);
    const auto b = static_cast<unsigned char>(bytes[i + 1]);
    return static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
}

void AppendUnit(std::string& out, char32_t unit, bool bigEndian) {
    const auto hi = static_cast<char>((unit >> 8) & 0xFF);
    const auto lo = static_cast<char>(unit & 0xFF);
    out += bigEndian ? hi : lo;
    out += bigEndian ? lo : hi;
}

bool StartsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

} // namespace

DecodedText DecodeFileText(std::string_view bytes) {
    DecodedText result;
    if (StartsWith(bytes, kUtf8Mark)) {
        result.encoding = TextEncoding::Utf8;
        result.mark = bytes.substr(0, kUtf8Mark.size());
        result.body = bytes.substr(kUtf8Mark.size());
        return result;
    }
    const bool le = StartsWith(bytes, kUtf16LeMark);
    if (!le && !StartsWith(bytes, kUtf16BeMark)) {
        result.body = bytes;
        return result;
    }
    result.encoding = le ? TextEncoding::Utf16Le : TextEncoding::Utf16Be;
    result.mark = bytes.substr(0, 2);
    result.body = bytes.substr(2);
    const bool be = !le;
    const std::string_view in = result.body;
    std::size_t i = 0;
    result.utf8.reserve(in.size());
    for (; i + 1 < in.size(); i += 2) {
        char32_t unit = UnitAt(in, i, be);
        if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < in.size()) {
            const char32_t low = UnitAt(in, i + 2, be);
            if (low >= 0xDC00 && low < 0xE000) {
                unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        AppendUtf8(result.utf8, unit);
    }
    result.odd = in.substr(i);
    return result;
}

std::string EncodeUtf16File(std::string_view text, const DecodedText& like) {
    const bool be = like.encoding == TextEncoding::Utf16Be;
    std::string out;
    out.reserve(like.mark.size() + text.size() * 2 + like.odd.size());
    out += like.mark;
    for (std::size_t pos = 0; pos < text.size();) {
        const char32_t cp = NextUtf8(text, pos);
        if (cp >= 0x10000) {
            AppendUnit(out, 0xD800 + ((cp - 0x10000) >> 10), be);
            AppendUnit(out, 0xDC00 + ((cp - 0x10000) & 0x3FF), be);
        } else {
            AppendUnit(out, cp, be);
        }
    }
    out += like.odd;
    return out;
}

std::string AnsiToFileText(std::string_view ansi, TextEncoding encoding) {
    if (encoding == TextEncoding::Ansi)
        return std::string(ansi);
    return CodePageToUtf8(ansi, AnsiCodePage());
}

std::string FileTextToAnsi(std::string_view text, TextEncoding encoding) {
    if (encoding == TextEncoding::Ansi)
        return std::string(text);
    return Utf8ToCodePage(text, AnsiCodePage());
}

bool LooksLikeUtf16(std::string_view bytes) {
    // Judged on the first line break (a write to a named section never
    // changes it: a break it adds to text that has none is CR LF).
    const std::size_t k = bytes.find_first_of("\r\n");
    if (k != std::string_view::npos) {
        // Little endian: the byte at an even offset, its NUL after it. Big
        // endian: at an odd offset, its NUL before it and the next unit's
        // NUL (if any) after it.
        const bool nulAfter = k + 1 < bytes.size() && bytes[k + 1] == '\0';
        if (k % 2 == 0)
            return nulAfter;
        return bytes[k - 1] == '\0' && (nulAfter || k + 1 == bytes.size());
    }
    // One line: NUL at every odd offset or at every even one, as in text
    // made of characters below U+0100.
    bool nulAtOdd = bytes.size() >= 2;
    bool nulAtEven = bytes.size() >= 2;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\0')
            (i % 2 ? nulAtOdd : nulAtEven) = false;
    }
    return nulAtOdd || nulAtEven;
}

} // namespace kvn::profile
