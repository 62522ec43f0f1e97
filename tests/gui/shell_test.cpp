// The application shell: About box, icon, help, the real message box and
// window texts.
#include <gtest/gtest.h>

#include "platform/framework/cwinapp.h"
#include "platform/framework/message_box.h"
#include "tests/gui/dialog_driver.h"
#include "tests/gui/settings_files.h"
#include "tests/gui/shell_driver.h"
#include "tests/support/temp_dir.h"

namespace kvn::test {
namespace {

TEST(Shell, SystemCommandSixteenShowsTheAboutBox) {
    TempPrefix prefix;
    CGraphicsDlg dialog;
    std::string aboutTitle;
    UINT aboutTemplate = 0;
    RunDialog(dialog, [&] {
        RepeatingTimer closer(200, [&] {
            CDialog* about = CDialog::GetActiveDialog();
            if (about == nullptr || about == &dialog)
                return;
            aboutTemplate = about->GetTemplateId();
            aboutTitle = about->GetWindowText();
            about->PressEscape();
        });
        dialog.SendMessage(WM_SYSCOMMAND, 0x0010, 0);
        EXPECT_EQ(CDialog::GetActiveDialog(), &dialog);
    });
    EXPECT_EQ(aboutTemplate, 100u);
    EXPECT_EQ(aboutTitle, "About kvn_setup");
}

TEST(Shell, TheWindowCarriesTheApplicationIcon) {
    TempPrefix prefix;
    CGraphicsDlg dialog;
    RunDialog(dialog, [&] {
        EXPECT_EQ(IconWidth(dialog), SystemIconWidth());
        const HICON dragIcon = reinterpret_cast<HICON>(dialog.SendMessage(WM_QUERYDRAGICON));
        EXPECT_EQ(dragIcon, AfxGetApp()->LoadIcon(128));
    });
}

TEST(Shell, F1ReportsThatHelpCannotBeStarted) {
    TempPrefix prefix;
    MessageRecorder messages;
    CGraphicsDlg dialog;
    RunDialog(dialog, [&] {
        PressKey(kKeyF1);
        EXPECT_TRUE(WaitUntil([&] { return !messages.texts().empty(); }));
    });
    ASSERT_EQ(messages.texts().size(), 1u);
    EXPECT_EQ(messages.texts()[0], "Failed to launch help.");
    EXPECT_EQ(messages.types[0] & 0xF0, MB_ICONEXCLAMATION);
}

TEST(Shell, TheRealMessageBoxIsShownAndDismissedWithEnter) {
    TempPrefix prefix;
    WriteFile(prefix.settingsFile(), SharedFile("", "", "MaxRAMForAGP=300"));
    CGraphicsDlg dialog;
    std::string boxTitle;
    RunDialog(dialog, [&] {
        // Only the boxes opened from here on are watched.
        MessageBoxWatcher watcher;
        {
            RepeatingTimer answer(300, [&] {
                if (watcher.IsOpen())
                    watcher.PressKey(kKeyReturn);
            });
            Click(dialog.okButton);
            EXPECT_TRUE(WaitUntil([&] { return watcher.Closed() >= 1; }, 5000));
        }
        EXPECT_EQ(watcher.Opened(), 1);
        EXPECT_TRUE(IsShown(dialog));
        boxTitle = watcher.Title();
    });
    EXPECT_EQ(boxTitle, AfxProgramTitle());
    EXPECT_EQ(AfxProgramTitle(), "gui_tests");
}

// As a native alert: the warning icon beside the text, an OK button of its
// own size that is default and focused, and Escape closes it.
TEST(Shell, TheMessageBoxLooksLikeAnAlertAndEscapeClosesIt) {
    TempPrefix prefix;
    WriteFile(prefix.settingsFile(), SharedFile("", "", "MaxRAMForAGP=300"));
    CGraphicsDlg dialog;
    RunDialog(dialog, [&] {
        MessageBoxWatcher watcher;
        bool looked = false;
        {
            RepeatingTimer answer(300, [&] {
                if (!watcher.IsOpen() || looked)
                    return;
                looked = true;
                const MessageBoxWatcher::Look look = watcher.LookAtBox();
                EXPECT_TRUE(look.warningIcon);
                EXPECT_TRUE(look.okFocused);
                EXPECT_TRUE(look.okDefault);
                EXPECT_TRUE(look.okNarrow);
                watcher.PressKey(kKeyEscape);
            });
            Click(dialog.okButton);
            EXPECT_TRUE(WaitUntil([&] { return watcher.Closed() >= 1; }, 5000));
        }
        EXPECT_TRUE(looked);
        EXPECT_TRUE(IsShown(dialog));
    });
}

TEST(Shell, WindowTextsInTheAnsiCodePageAreShownAsUtf8) {
    TempPrefix prefix;
    CGraphicsDlg dialog;
    RunDialog(dialog, [&] {
        dialog.SetDlgItemText(1045, "Caf\xe9 \x80");
        EXPECT_EQ(dialog.toolButton.GetWindowText(), "Caf\xc3\xa9 \xe2\x82\xac");
        dialog.SetWindowText("Gr\xc3\xbc\xc3\x9f");
        EXPECT_EQ(dialog.GetWindowText(), "Gr\xc3\xbc\xc3\x9f");
    });
}

} // namespace
} // namespace kvn::test
