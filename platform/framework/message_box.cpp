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

std::string AfxProgramTitle() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string("KVNConfig") : exe.stem().string();
}

int AfxMessageBox(const char* text, UINT type) {
    const std::string message = text ? text : "";
    if (Hook())
        return Hook()(message, type);
    return ShowMessageBox(message, AfxProgramTitle(), type);
}
