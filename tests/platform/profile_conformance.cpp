// Runs the recorded profile-function cases (profile-cases.json), and cases of
// our own (profile-cases-ours.json), against the profile functions: read
// results exactly, write results, and the file after the writes. Where the
// recording re-wrote lines a write did not target, the file must read back
// the same and keep those lines byte for byte instead. On Windows it checks
// the system's own functions, byte for byte. A case runs in its ANSI code
// page ("code_page", 1252 when not given) and is skipped in any other: the
// tests run this once per code page, with the locale set to match.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/profile/profile.h"
#include "platform/text/code_page.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

// The vector file's strings are byte strings: code points 0..255, one byte each.
std::string Bytes(const json& value) {
    const std::string utf8 = value.get<std::string>();
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            // Two-byte sequences only: code points 0x80..0xFF.
            out += static_cast<char>(((c & 0x1F) << 6) |
                                     (static_cast<unsigned char>(utf8[++i]) & 0x3F));
        }
    }
    return out;
}

std::optional<std::string> OptionalBytes(const json& value) {
    if (value.is_null())
        return std::nullopt;
    return Bytes(value);
}

const char* CStr(const std::optional<std::string>& s) {
    return s ? s->c_str() : nullptr;
}

std::string Show(const std::string& bytes) {
    std::string out = "\"";
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '\\' || c == '"') {
            out += '\\';
            out += ch;
        } else if (c >= 0x20 && c < 0x7F) {
            out += ch;
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            out += hex;
        }
    }
    return out + "\"";
}

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A line with its ending, split the way the profile functions split lines.
struct TextLine {
    std::string text;
    std::string ending;
};

std::vector<TextLine> SplitLines(const std::string& s) {
    std::vector<TextLine> lines;
    std::size_t pos = 0;
    while (pos < s.size()) {
        const std::size_t end = s.find_first_of("\r\n", pos);
        if (end == std::string::npos) {
            lines.push_back({s.substr(pos), ""});
            break;
        }
        std::size_t next = end + 1;
        if (next < s.size() && (s[next] == '\r' || s[next] == '\n') && s[next] != s[end])
            ++next;
        lines.push_back({s.substr(pos, end - pos), s.substr(end, next - end)});
        pos = next;
    }
    return lines;
}

bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1A';
}

std::string Trim(const std::string& s) {
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && IsSpace(s[b]))
        ++b;
    while (e > b && IsSpace(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

// Section and key of each line of a profile text ("" for headers and blanks).
struct LineRole {
    std::string section;
    std::string key;
    bool isKey = false;
};

std::vector<LineRole> Roles(const std::vector<TextLine>& lines) {
    std::vector<LineRole> roles;
    std::string section;
    for (const TextLine& line : lines) {
        const std::string t = Trim(line.text);
        LineRole role;
        const std::size_t close = t.rfind(']');
        if (!t.empty() && t[0] == '[' && close != std::string::npos && close > 0) {
            section = Trim(t.substr(1, close - 1));
        } else if (!t.empty()) {
            role.isKey = true;
            role.key = Trim(t.substr(0, t.find('=')));
        }
        role.section = section;
        roles.push_back(role);
    }
    return roles;
}

struct Read {
    DWORD ret;
    std::string buffer;
};

Read ReadString(const std::string& section, const std::string& key, const fs::path& file) {
    std::vector<char> buffer(8192, '\x5A');
    const DWORD ret =
        GetPrivateProfileStringA(section.c_str(), key.c_str(), "\x01none", buffer.data(),
                                 static_cast<DWORD>(buffer.size()), file.string().c_str());
    return {ret, std::string(buffer.data())};
}

class CaseRunner {
  public:
    CaseRunner(const json& c, const fs::path& dir) : case_(c), dir_(dir) {}

    // Returns the failures found; empty when the case passes.
    std::vector<std::string> Run() {
        const bool dirAbsent = case_.value("dir_absent", false);
        const fs::path folder = dirAbsent ? dir_ / "nodir" : dir_;
        file_ = folder / "test.ini";
        const auto before = OptionalBytes(case_["file_before"]);
        if (before)
            WriteBytes(file_, *before);

        const json& ops = case_["ops"];
        const json& results = case_["results"];
        for (std::size_t i = 0; i < ops.size(); ++i)
            RunOp(i, ops[i], results[i]);

        if (dirAbsent && fs::exists(folder) != case_.value("dir_created", false))
            Fail("folder created: " + std::to_string(fs::exists(folder)));
        CheckFileAfter(before);
        return failures_;
    }

  private:
    void Fail(const std::string& what) { failures_.push_back(what); }

    void RunOp(std::size_t index, const json& op, const json& expected) {
        const std::string name = op["op"].get<std::string>();
        const std::string where = "op " + std::to_string(index) + " (" + name + "): ";
        const auto section = OptionalBytes(op["section"]);
        const auto key = OptionalBytes(op["key"]);
        const std::string path = file_.string();
        if (name == "get_string") {
            const auto def = OptionalBytes(op["default"]);
            const auto size = op["size"].get<DWORD>();
            constexpr char kFill = '\x5A';
            std::vector<char> buffer(size + 64, kFill);
            const DWORD ret = GetPrivateProfileStringA(CStr(section), CStr(key), CStr(def),
                                                       buffer.data(), size, path.c_str());
            if (ret != expected["return"].get<DWORD>())
                Fail(where + "returned " + std::to_string(ret));
            const std::string want = Bytes(expected["buffer"]);
            const std::string got(buffer.data(), want.size());
            bool restUntouched = true;
            for (std::size_t i = want.size(); i < buffer.size(); ++i)
                restUntouched = restUntouched && buffer[i] == kFill;
            if (got != want || !restUntouched)
                Fail(where + "buffer " + Show(std::string(buffer.data(), want.size() + 4)) +
                     ", expected " + Show(want));
        } else if (name == "get_int") {
            const UINT ret = GetPrivateProfileIntA(CStr(section), CStr(key),
                                                   op["default"].get<INT>(), path.c_str());
            if (ret != expected["return"].get<std::uint32_t>())
                Fail(where + "returned " + std::to_string(ret));
        } else if (name == "write") {
            const auto value = OptionalBytes(op["value"]);
            const BOOL ret =
                WritePrivateProfileStringA(CStr(section), CStr(key), CStr(value), path.c_str());
            if ((ret != 0) != (expected["return"].get<int>() != 0))
                Fail(where + "returned " + std::to_string(ret));
            if (section && key)
                writes_.push_back({*section, *key});
        } else {
            Fail(where + "unknown operation");
        }
    }

    void CheckFileAfter(const std::optional<std::string>& before) {
        const auto want = OptionalBytes(case_["file_after"]);
        const bool exists = fs::exists(file_);
        if (!want) {
            if (exists)
                Fail("file exists, expected none");
            return;
        }
        if (!exists) {
            Fail("file missing");
            return;
        }
        const std::string got = ReadBytes(file_);
#ifdef _WIN32
        const bool exact = true;
#else
        const bool exact = !case_.value("reformatted_other_lines", false);
#endif
        if (exact) {
            if (got != *want)
                Fail("file " + Show(got) + ", expected " + Show(*want));
            return;
        }
        CheckReadsBack(*want, before.value_or(""));
        CheckUntouchedLines(before.value_or(""), got);
    }

    // Every section and key involved reads the same from our file as from the
    // recorded one.
    void CheckReadsBack(const std::string& want, const std::string& before) {
        const fs::path expectedFile = dir_ / "expected.ini";
        WriteBytes(expectedFile, want);
        std::vector<std::pair<std::string, std::string>> names = writes_;
        for (const std::string* text : {&want, &before}) {
            for (const LineRole& role : Roles(SplitLines(*text)))
                if (role.isKey)
                    names.emplace_back(role.section, role.key);
        }
        for (const auto& [section, key] : names) {
            const Read ours = ReadString(section, key, file_);
            const Read theirs = ReadString(section, key, expectedFile);
            if (ours.ret != theirs.ret || ours.buffer != theirs.buffer)
                Fail("[" + section + "] " + key + " reads " + Show(ours.buffer) + ", expected " +
                     Show(theirs.buffer));
        }
    }

    // Lines of the old file that no write targeted are all still there, in
    // order, byte for byte with their line endings. Only the old last line
    // may have gained a line ending.
    void CheckUntouchedLines(const std::string& before, const std::string& got) {
        const std::vector<TextLine> old = SplitLines(before);
        const std::vector<LineRole> roles = Roles(old);
        const std::vector<TextLine> now = SplitLines(got);
        std::size_t at = 0;
        for (std::size_t i = 0; i < old.size(); ++i) {
            bool targeted = false;
            for (const auto& [section, key] : writes_)
                targeted = targeted || (roles[i].isKey && SameName(roles[i].key, Trim(key)) &&
                                        SameName(roles[i].section, Trim(section)));
            if (targeted)
                continue;
            const bool last = i + 1 == old.size() && old[i].ending.empty();
            while (at < now.size() &&
                   !(now[at].text == old[i].text && (now[at].ending == old[i].ending || last)))
                ++at;
            if (at == now.size()) {
                Fail("line " + std::to_string(i + 1) + " " + Show(old[i].text + old[i].ending) +
                     " not kept");
                return;
            }
            ++at;
        }
    }

    const json& case_;
    fs::path dir_;
    fs::path file_;
    std::vector<std::pair<std::string, std::string>> writes_;
    std::vector<std::string> failures_;
};

#ifndef _WIN32
// Where we deliberately differ from the recording, with what we do instead.
void ApplyOurDepartures(json& c) {
    const std::string name = c["name"].get<std::string>();
    if (name == "write-value-newline") {
        // A value is cut at its first line break: it cannot add a key.
        c["results"][1] = {{"return", 4}, {"value", "AUTO"}, {"buffer", std::string("AUTO\0", 5)}};
        c["file_after"] = "[ZOLT]\r\nLanguage=A\r\nDDDriver=display\r\nMipMapping=ON\r\n";
    } else if (name == "write-value-padded") {
        // The recording's second write re-wrote the first write's line,
        // dropping its trailing blanks; a write here changes only its own line.
        c["file_after"] = "[ZOLT]\r\nLanguage=English  \r\nDDDriver=display\r\nMipMapping=ON\r\n"
                          "Pad=X\t\r\n";
    } else if (name == "write-trailing-spaces-then-other-write") {
        c["file_after"] = "[ZOLT]\r\nLanguage=English\r\nDDDriver=display\r\nMipMapping=OFF  \r\n";
    }
}
#endif

#ifdef _WIN32
// Our own cases state our rules; where the platform's functions differ, the
// case's "on_platform" holds what they do instead.
void ApplyPlatformDifferences(json& c) {
    if (c.contains("on_platform"))
        for (const auto& [field, value] : c["on_platform"].items())
            c[field] = value;
}
#endif

std::string VectorFile() {
    if (const char* path = std::getenv("KVN_PROFILE_VECTORS"); path && *path)
        return path;
    return KVN_PROFILE_VECTORS_DEFAULT;
}

std::optional<json> Load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::cerr << "cannot read " << path << "\n";
        return std::nullopt;
    }
    return json::parse(in);
}

} // namespace

// Runs the recorded cases, then the cases of our own in the files named on
// the command line ({"note", "cases"}).
int main(int argc, char** argv) {
    std::optional<json> recorded = Load(VectorFile());
    if (!recorded)
        return 1;
    json cases = std::move(*recorded);
    for (int i = 1; i < argc; ++i) {
        std::optional<json> ours = Load(argv[i]);
        if (!ours)
            return 1;
        for (json& c : (*ours)["cases"]) {
#ifdef _WIN32
            ApplyPlatformDifferences(c);
#endif
            cases.push_back(std::move(c));
        }
    }

    std::random_device random;
    const fs::path root =
        fs::temp_directory_path() / ("kvn-conformance-" + std::to_string(random()));
    fs::create_directories(root);

    const unsigned codePage = kvn::AnsiCodePage();
    std::size_t passed = 0;
    std::size_t ran = 0;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        json& c = cases[i];
        if (c.value("code_page", 1252u) != codePage)
            continue;
        ++ran;
#ifndef _WIN32
        ApplyOurDepartures(c);
#endif
        const fs::path dir = root / std::to_string(i);
        fs::create_directories(dir);
        const std::vector<std::string> failures = CaseRunner(c, dir).Run();
        if (failures.empty()) {
            ++passed;
            continue;
        }
        std::cout << "FAIL " << c["name"].get<std::string>() << "\n";
        for (const std::string& f : failures)
            std::cout << "  " << f << "\n";
    }
    std::error_code ec;
    fs::remove_all(root, ec);
    std::cout << passed << " of " << ran << " cases in code page " << codePage << " passed ("
              << cases.size() - ran << " for other code pages)\n";
    return passed == ran && ran > 0 ? 0 : 1;
}
