// The message box is the platform's own.
#include "platform/framework/backend.h"
#include "platform/framework/win32/handles.h"

int ShowMessageBox(const std::string& text, const std::string& title, UINT type) {
    HWND owner = kvn::Hwnd(CDialog::GetActiveDialog());
    MessageBoxW(owner, kvn::WideFromAnsi(text.c_str()).c_str(),
                kvn::WideFromAnsi(title.c_str()).c_str(), MB_OK | (type & MB_ICONMASK));
    return IDOK;
}
