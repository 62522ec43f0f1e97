#include "fuzz/fuzz_input.h"

namespace kvn::fuzz {

namespace {

enum : std::uint8_t { kNoFile = 1, kNoFolder = 2 };
enum : std::uint8_t { kNullSection = 4, kNullKey = 8, kNullText = 16 };

// Reads a NUL-terminated field; false when the input ends first.
bool ReadField(std::string_view& in, std::string& out) {
    const std::size_t nul = in.find('\0');
    if (nul == std::string_view::npos)
        return false;
    out.assign(in.substr(0, nul));
    in.remove_prefix(nul + 1);
    return true;
}

} // namespace

ProfileCase DecodeProfileCase(const std::uint8_t* data, std::size_t size) {
    ProfileCase c;
    std::string_view in(reinterpret_cast<const char*>(data), size);
    if (in.empty())
        return c;
    const auto flags = static_cast<std::uint8_t>(in[0]);
    in.remove_prefix(1);
    c.folderExists = (flags & kNoFolder) == 0;
    c.fileExists = c.folderExists && (flags & kNoFile) == 0;

    const std::size_t marker = in.find(kOpsMarker);
    c.file.assign(in.substr(0, marker));
    if (marker == std::string_view::npos)
        return c;
    in.remove_prefix(marker + kOpsMarker.size());

    while (!in.empty() && c.ops.size() < kMaxOps) {
        const auto header = static_cast<std::uint8_t>(in[0]);
        in.remove_prefix(1);
        ProfileOp op;
        op.kind = static_cast<ProfileOp::Kind>((header & 3) == 3 ? 0 : header & 3);
        std::string section, key, text;
        if (!ReadField(in, section) || !ReadField(in, key) || !ReadField(in, text))
            break;
        if (!(header & kNullSection))
            op.section = std::move(section);
        if (!(header & kNullKey))
            op.key = std::move(key);
        if (!(header & kNullText))
            op.text = std::move(text);
        if (op.kind == ProfileOp::GetString) {
            if (in.size() < 2)
                break;
            const unsigned raw = static_cast<std::uint8_t>(in[0]) |
                                 static_cast<unsigned>(static_cast<std::uint8_t>(in[1])) << 8;
            op.size = raw % (kMaxBufferSize + 1);
            in.remove_prefix(2);
        }
        c.ops.push_back(std::move(op));
    }
    return c;
}

std::string EncodeProfileCase(const ProfileCase& c) {
    std::string out;
    std::uint8_t flags = 0;
    if (!c.folderExists)
        flags |= kNoFolder;
    else if (!c.fileExists)
        flags |= kNoFile;
    out += static_cast<char>(flags);
    out += c.file;
    out += kOpsMarker;
    for (const ProfileOp& op : c.ops) {
        std::uint8_t header = op.kind;
        if (!op.section)
            header |= kNullSection;
        if (!op.key)
            header |= kNullKey;
        if (!op.text)
            header |= kNullText;
        out += static_cast<char>(header);
        for (const auto* field : {&op.section, &op.key, &op.text}) {
            out += field->value_or("");
            out += '\0';
        }
        if (op.kind == ProfileOp::GetString) {
            const std::uint32_t size = op.size > kMaxBufferSize ? kMaxBufferSize : op.size;
            out += static_cast<char>(size & 0xFF);
            out += static_cast<char>(size >> 8);
        }
    }
    return out;
}

} // namespace kvn::fuzz
