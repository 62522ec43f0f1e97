#include "platform/framework/message_box.h"

#include <filesystem>
#include <string_view>

#include "platform/framework/backend.h"

namespace {

MessageBoxHook& Hook() {
    static MessageBoxHook hook;
    return hook;
}

// The last part of `path` without its extension ("KVNConfig" of
// "C:\\Games\\KVNConfig.exe"); a leading dot starts no extension.
std::string Stem(std::string_view path) {
#ifdef _WIN32
    constexpr const char* kSeparators = "\\/";
#else
    constexpr const char* kSeparators = "/";
#endif
    path.remove_prefix(path.find_last_of(kSeparators) + 1); // npos + 1: none to remove
    const std::size_t dot = path.rfind('.');
    if (dot != std::string_view::npos && dot > 0 && path != "..")
        path = path.substr(0, dot);
    return std::string(path);
}

} // namespace

void AfxSetMessageBoxHook(MessageBoxHook hook) {
    Hook() = std::move(hook);
}

// The program file's name without directory or extension.
std::string AfxProgramTitle() {
#ifdef _WIN32
    wchar_t name[MAX_PATH];
    const DWORD length = ::GetModuleFileNameW(nullptr, name, MAX_PATH);
    char utf8[4 * MAX_PATH];
    const int bytes = length == 0 || length == MAX_PATH
                          ? 0
                          : WideCharToMultiByte(CP_UTF8, 0, name, static_cast<int>(length), utf8,
                                                static_cast<int>(sizeof utf8), nullptr, nullptr);
    return bytes > 0 ? Stem(std::string_view(utf8, static_cast<std::size_t>(bytes)))
                     : std::string("KVNConfig");
#else
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string("KVNConfig") : Stem(exe.string());
#endif
}

int AfxMessageBox(const char* text, UINT type) {
    const std::string message = text ? text : "";
    if (Hook())
        return Hook()(message, type);
    return ShowMessageBox(message, AfxProgramTitle(), type);
}
