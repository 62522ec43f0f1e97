#include "platform/framework/message_box.h"

#include <filesystem>

#include "platform/framework/backend.h"

namespace {

MessageBoxHook& Hook() {
    static MessageBoxHook hook;
    return hook;
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
    if (length == 0 || length == MAX_PATH)
        return "KVNConfig";
    const std::u8string title = std::filesystem::path(name, name + length).stem().u8string();
    return std::string(title.begin(), title.end());
#else
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string("KVNConfig") : exe.stem().string();
#endif
}

int AfxMessageBox(const char* text, UINT type) {
    const std::string message = text ? text : "";
    if (Hook())
        return Hook()(message, type);
    return ShowMessageBox(message, AfxProgramTitle(), type);
}
