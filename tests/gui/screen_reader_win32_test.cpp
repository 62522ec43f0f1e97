// The dialog as a screen reader on Windows reads it, through the platform's
// accessibility objects.
#include <string>

#include <gtest/gtest.h>

#include "platform/framework/win32/handles.h"
#include "tests/gui/dialog_driver.h"
#include "tests/gui/player_view.h"
#include "tests/gui/settings_files.h"
#include "tests/support/temp_dir.h"

namespace kvn::test {
namespace {

TEST(ScreenReader, EveryControlAPlayerCanReachHasAName) {
    TempPrefix prefix;
    WriteFile(prefix.settingsFile(), SharedFile("", "", "MaxRAMForAGP=64"));
    TempDir dir;
    ScopedCurrentDir cwd(dir.path());
    WriteFile(dir.path() / "KVNConfig.ini", "[English]\r\nSPECIFY=Spe&cify (MB)\r\n");
    CGraphicsDlg dialog;
    RunDialog(dialog, [&] {
        HWND window = kvn::Hwnd(&dialog);
        int reachable = 0;
        for (HWND w = GetWindow(window, GW_CHILD); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
            const LONG_PTR style = GetWindowLongPtrW(w, GWL_STYLE);
            const bool radio = (style & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
            if (!(style & WS_VISIBLE) || !((style & WS_TABSTOP) || radio))
                continue;
            ++reachable;
            CWnd control;
            control.Attach(ToNative(w));
            EXPECT_FALSE(AccessibleName(control).empty()) << "control " << GetDlgCtrlID(w);
        }
        EXPECT_GE(reachable, 9);
        EXPECT_EQ(AccessibleName(dialog.memoryEdit), "Specify (MB)");
        // The label is for screen readers only: Alt+C still reaches the choice.
        PressKey('C', VK_MENU);
        EXPECT_TRUE(WaitUntil([&] { return dialog.agpSpecifyRadio.HasFocus(); }));
    });
}

} // namespace
} // namespace kvn::test
