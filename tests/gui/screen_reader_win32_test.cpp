// The dialog as a screen reader on Windows reads it, through the platform's
// accessibility objects.
#include <string>

#include <gtest/gtest.h>
#include <initguid.h> // defines the interface ids used here
#include <oleacc.h>

#include "tests/gui/dialog_driver.h"
#include "tests/gui/settings_files.h"
#include "tests/support/temp_dir.h"

namespace kvn::test {
namespace {

// The name a screen reader reads for the window, as UTF-8 ("" for none).
std::string AccessibleName(HWND window) {
    // The accessibility objects are COM objects of this thread.
    static const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    (void)com;
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible,
                                          reinterpret_cast<void**>(&object))))
        return "";
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    std::string text;
    if (object->get_accName(self, &name) == S_OK && name != nullptr) {
        for (const wchar_t* c = name; *c != L'\0'; ++c)
            text += static_cast<char>(*c < 0x80 ? *c : '?');
        SysFreeString(name);
    }
    object->Release();
    return text;
}

TEST(ScreenReader, EveryControlAPlayerCanReachHasAName) {
    TempPrefix prefix;
    WriteFile(prefix.settingsFile(), SharedFile("", "", "MaxRAMForAGP=64"));
    TempDir dir;
    ScopedCurrentDir cwd(dir.path());
    WriteFile(dir.path() / "KVNConfig.ini", "[English]\r\nSPECIFY=Spe&cify (MB)\r\n");
    CGraphicsDlg dialog;
    RunDialog(dialog, [&] {
        HWND window = reinterpret_cast<HWND>(dialog.GetNativeWindow());
        int reachable = 0;
        for (HWND w = GetWindow(window, GW_CHILD); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
            const LONG_PTR style = GetWindowLongPtrW(w, GWL_STYLE);
            const bool radio = (style & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
            if (!(style & WS_VISIBLE) || !((style & WS_TABSTOP) || radio))
                continue;
            ++reachable;
            EXPECT_FALSE(AccessibleName(w).empty()) << "control " << GetDlgCtrlID(w);
        }
        EXPECT_GE(reachable, 9);
        EXPECT_EQ(AccessibleName(reinterpret_cast<HWND>(dialog.memoryEdit.GetNativeWindow())),
                  "Specify (MB)");
        // The label is for screen readers only: Alt+C still reaches the choice.
        PressKey('C', VK_MENU);
        EXPECT_TRUE(WaitUntil([&] { return dialog.agpSpecifyRadio.HasFocus(); }));
    });
}

} // namespace
} // namespace kvn::test
