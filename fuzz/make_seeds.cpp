// Turns the recorded profile cases into seed inputs for the fuzz targets:
//   make_seeds <profile-cases.json> <profile-seed-dir> <settings-seed-dir>
// Strings in the cases are byte strings: each code point 0..255 is one byte.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

#include "fuzz/fuzz_input.h"

namespace {

using kvn::fuzz::ProfileCase;
using kvn::fuzz::ProfileOp;
using nlohmann::json;

std::string Bytes(const json& value) {
    std::string out;
    const std::string utf8 = value.get<std::string>();
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else { // two-byte UTF-8 sequences carry the code points 0x80..0xFF
            out += static_cast<char>(((c & 0x1F) << 6) |
                                     (static_cast<unsigned char>(utf8[i + 1]) & 0x3F));
            ++i;
        }
    }
    return out;
}

std::optional<std::string> Field(const json& op, const char* name) {
    if (!op.contains(name) || op[name].is_null())
        return std::nullopt;
    return Bytes(op[name]);
}

void Save(const std::filesystem::path& dir, const std::string& name, const std::string& bytes) {
    std::ofstream(dir / name, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The settings target's header: no-file flag, MipMapping, LowGraphicMode,
// agpMode, agpMemoryMb.
std::string SettingsHeader(bool noFile, int mip, std::int32_t low, int agp, std::int32_t mb) {
    std::string h(1, static_cast<char>(noFile ? 1 : 0));
    h += static_cast<char>(mip);
    for (int i = 0; i < 4; ++i)
        h += static_cast<char>(static_cast<std::uint32_t>(low) >> (8 * i));
    h += static_cast<char>(agp);
    for (int i = 0; i < 4; ++i)
        h += static_cast<char>(static_cast<std::uint32_t>(mb) >> (8 * i));
    return h;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s profile-cases.json profile-dir settings-dir\n", argv[0]);
        return 2;
    }
    const std::filesystem::path profileDir = argv[2], settingsDir = argv[3];
    std::filesystem::create_directories(profileDir);
    std::filesystem::create_directories(settingsDir);
    const json cases = json::parse(std::ifstream(argv[1]));

    int n = 0;
    for (const json& c : cases) {
        ProfileCase pc;
        pc.folderExists = !c.value("dir_absent", false);
        pc.fileExists = pc.folderExists && !c["file_before"].is_null();
        if (pc.fileExists)
            pc.file = Bytes(c["file_before"]);
        for (const json& op : c["ops"]) {
            ProfileOp o;
            const std::string kind = op["op"];
            o.kind = kind == "write"     ? ProfileOp::Write
                     : kind == "get_int" ? ProfileOp::GetInt
                                         : ProfileOp::GetString;
            o.section = Field(op, "section");
            o.key = Field(op, "key");
            if (o.kind == ProfileOp::Write)
                o.text = Field(op, "value");
            else if (o.kind == ProfileOp::GetInt)
                o.text = std::to_string(op["default"].get<long long>());
            else
                o.text = Field(op, "default");
            if (o.kind == ProfileOp::GetString)
                o.size = op["size"].get<std::uint32_t>();
            pc.ops.push_back(std::move(o));
        }
        const std::string name = c["name"].get<std::string>();
        Save(profileDir, name, EncodeProfileCase(pc));
        // Each recorded file also seeds the settings target, with values the
        // dialog can hold and some it cannot.
        const int mip = n % 4 - 1, agp = n % 3 - 1;
        const std::int32_t low = n % 5 == 0 ? -2147483647 - 1 : n % 3;
        const std::int32_t mb = n % 7 == 0 ? 2147483647 : n * 9 % 129;
        Save(settingsDir, name, SettingsHeader(!pc.fileExists, mip, low, agp, mb) + pc.file);
        ++n;
    }
    std::printf("%d seeds written for each target\n", n);
    return 0;
}
