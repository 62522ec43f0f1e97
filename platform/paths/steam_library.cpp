#include "platform/paths/steam_library.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <optional>
#include <vector>

#include "platform/paths/host_folders.h"
#include "platform/text/ascii_case.h"

namespace kvn {
namespace {

// Manifests and config_info are a few hundred bytes; anything much larger is
// not one and is not read.
constexpr std::size_t kMaxFileSize = 1 << 20;

// Closes a descriptor when it goes.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0)
            ::close(fd);
    }
};

// The regular file at `path` when it has at most kMaxFileSize bytes.
std::optional<std::string> ReadSmallFile(const std::string& path) {
    // Not blocking: a FIFO in its place must not hang the search.
    const Descriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)};
    struct stat st {};
    if (file.fd < 0 || ::fstat(file.fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        static_cast<std::size_t>(st.st_size) > kMaxFileSize)
        return std::nullopt;
    std::string text;
    char chunk[4096];
    for (;;) {
        const ssize_t got = ::read(file.fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            return text;
        text.append(chunk, static_cast<std::size_t>(got));
        if (text.size() > kMaxFileSize) // grew while being read
            return std::nullopt;
    }
}

// Valve's KeyValues text: quoted or bare strings, braces, // comments.
class KeyValuesReader {
  public:
    enum class Kind { String, Open, Close, End, Bad };
    struct Token {
        Kind kind = Kind::End;
        std::string text;
    };

    explicit KeyValuesReader(std::string_view text) : text_(text) {}

    Token Next() {
        for (;;) {
            while (pos_ < text_.size() && IsSpace(text_[pos_]))
                ++pos_;
            if (text_.compare(pos_, 2, "//") != 0)
                break;
            pos_ = text_.find('\n', pos_);
            if (pos_ == std::string_view::npos)
                pos_ = text_.size();
        }
        if (pos_ >= text_.size())
            return {Kind::End, {}};
        const char c = text_[pos_];
        if (c == '{' || c == '}') {
            ++pos_;
            return {c == '{' ? Kind::Open : Kind::Close, {}};
        }
        if (c == '"')
            return Quoted();
        Token bare{Kind::String, {}};
        while (pos_ < text_.size() && !IsSpace(text_[pos_]) && text_[pos_] != '{' &&
               text_[pos_] != '}' && text_[pos_] != '"')
            bare.text += text_[pos_++];
        return bare;
    }

  private:
    static bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

    Token Quoted() {
        Token token{Kind::String, {}};
        for (++pos_; pos_ < text_.size(); ++pos_) {
            char c = text_[pos_];
            if (c == '"') {
                ++pos_;
                return token;
            }
            if (c == '\\' && pos_ + 1 < text_.size()) {
                c = text_[++pos_];
                c = c == 'n' ? '\n' : c == 't' ? '\t' : c;
            }
            token.text += c;
        }
        return {Kind::Bad, {}}; // no closing quote
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

// The last component of `path`.
std::string NameOf(const std::string& path) {
    return path.substr(path.find_last_of('/') + 1);
}

// The app ids of the manifests in `steamapps`, in ascending order.
std::vector<std::string> ManifestIds(const std::string& steamapps) {
    std::vector<std::string> ids;
    std::unique_ptr<DIR, int (*)(DIR*)> d(::opendir(steamapps.c_str()), ::closedir);
    if (!d)
        return ids;
    constexpr std::string_view start = "appmanifest_", end = ".acf";
    while (const dirent* e = ::readdir(d.get())) {
        const std::string_view name(e->d_name);
        if (name.size() <= start.size() + end.size() || name.substr(0, start.size()) != start ||
            name.substr(name.size() - end.size()) != end)
            continue;
        const std::string_view id =
            name.substr(start.size(), name.size() - start.size() - end.size());
        if (id.size() <= 20 &&
            std::all_of(id.begin(), id.end(), [](char c) { return c >= '0' && c <= '9'; }))
            ids.emplace_back(id);
    }
    std::sort(ids.begin(), ids.end(), [](const std::string& a, const std::string& b) {
        return a.size() != b.size() ? a.size() < b.size() : a < b;
    });
    return ids;
}

} // namespace

std::string ManifestInstallDir(std::string_view manifest) {
    KeyValuesReader reader(manifest);
    KeyValuesReader::Token root = reader.Next();
    if (root.kind != KeyValuesReader::Kind::String ||
        !EqualsIgnoringAsciiCase(root.text, "AppState") ||
        reader.Next().kind != KeyValuesReader::Kind::Open)
        return {};
    // Key-value pairs of the top-level block; nested blocks are skipped.
    int depth = 1;
    for (;;) {
        KeyValuesReader::Token key = reader.Next();
        if (key.kind == KeyValuesReader::Kind::Close) {
            if (--depth == 0)
                return {};
            continue;
        }
        if (key.kind != KeyValuesReader::Kind::String)
            return {};
        KeyValuesReader::Token value = reader.Next();
        if (value.kind == KeyValuesReader::Kind::Open) {
            ++depth;
            continue;
        }
        if (value.kind != KeyValuesReader::Kind::String)
            return {};
        if (depth == 1 && EqualsIgnoringAsciiCase(key.text, "installdir"))
            return value.text;
    }
}

std::string SteamGamePrefix(const std::string& dir) {
    // The nearest folder at or above `dir` whose parents are common and steamapps.
    for (std::string folder = dir; !folder.empty(); folder = ParentOf(folder)) {
        const std::string common = ParentOf(folder);
        const std::string steamapps = ParentOf(common);
        if (NameOf(common) != "common" || !EqualsIgnoringAsciiCase(NameOf(steamapps), "steamapps"))
            continue;
        const std::string game = NameOf(folder);
        // Only apps with a prefix can be the one; their manifests are read.
        for (const std::string& id : ManifestIds(steamapps)) {
            const std::string prefix = steamapps + "/compatdata/" + id + "/pfx";
            if (!IsDirectory(prefix + "/drive_c"))
                continue;
            const std::optional<std::string> manifest =
                ReadSmallFile(steamapps + "/appmanifest_" + id + ".acf");
            if (manifest && ManifestInstallDir(*manifest) == game)
                return prefix;
        }
        return {};
    }
    return {};
}

std::string ProtonFolder(const std::string& compatData) {
    const std::optional<std::string> info = ReadSmallFile(compatData + "/config_info");
    if (!info)
        return {};
    const std::size_t first = info->find('\n');
    if (first == std::string::npos)
        return {};
    std::string fonts = info->substr(first + 1, info->find('\n', first + 1) - first - 1);
    if (!fonts.empty() && fonts.back() == '\r')
        fonts.pop_back();
    while (fonts.size() > 1 && fonts.back() == '/')
        fonts.pop_back();
    for (const char* files : {"/files/share/fonts", "/dist/share/fonts"}) {
        const std::string_view tail(files);
        if (fonts.size() > tail.size() && fonts[0] == '/' &&
            fonts.compare(fonts.size() - tail.size(), tail.size(), tail) == 0)
            return fonts.substr(0, fonts.size() - tail.size());
    }
    return {};
}

} // namespace kvn
