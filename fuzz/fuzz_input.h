// The byte format of a profile fuzz input, shared by the fuzz target (which
// decodes it) and the seed maker (which encodes the conformance cases).
//
//   flags byte             bit 0: no file; bit 1: no folder (implies no file)
//   file bytes             up to the first kOpsMarker, or to the end
//   kOpsMarker
//   op*                    header byte, section NUL key NUL text NUL,
//                          and for GetString two bytes of buffer size (LE)
//
// Op header: bits 0-1 the kind (3 reads as GetString too), bit 2 section is
// NULL, bit 3 key is NULL, bit 4 text (default or value) is NULL. A truncated
// last op is dropped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kvn::fuzz {

inline constexpr std::string_view kOpsMarker{"\0\0OPS\n", 6};
inline constexpr std::uint32_t kMaxBufferSize = 4096;
inline constexpr std::size_t kMaxOps = 24;

struct ProfileOp {
    enum Kind : std::uint8_t { GetString = 0, GetInt = 1, Write = 2 };
    Kind kind = GetString;
    std::optional<std::string> section, key, text; // nullopt is a NULL argument
    std::uint32_t size = 0;                        // GetString's buffer size
};

struct ProfileCase {
    bool fileExists = true;
    bool folderExists = true;
    std::string file;
    std::vector<ProfileOp> ops;
};

ProfileCase DecodeProfileCase(const std::uint8_t* data, std::size_t size);
std::string EncodeProfileCase(const ProfileCase& c);

} // namespace kvn::fuzz
