#include "platform/framework/message_box.h"

#include <filesystem>

#include <wx/msgdlg.h>

#include "platform/framework/cdialog.h"
#include "platform/framework/widgets.h"

namespace {

MessageBoxHook& Hook() {
    static MessageBoxHook hook;
    return hook;
}

} // namespace

void SetMessageBoxHook(MessageBoxHook hook) {
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
    long style = wxOK | wxCENTRE;
    if ((type & 0xF0) == MB_ICONEXCLAMATION)
        style |= wxICON_EXCLAMATION;
    CDialog* active = CDialog::ActiveDialog();
    wxMessageDialog box(active ? active->GetNativeWindow() : nullptr,
                        kvn::FromAnsi(message.c_str()), wxString::FromUTF8(AfxProgramTitle()),
                        style);
    box.ShowModal();
    return IDOK;
}
