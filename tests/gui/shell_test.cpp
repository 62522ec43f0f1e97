// The application shell: About box, help, the real message box, window
// texts, and the program itself.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/modalhook.h>
#include <wx/statbmp.h>
#include <wx/timer.h>
#include <wx/toplevel.h>
#include <wx/uiaction.h>

#include "dialog/about_box.h"
#include "platform/framework/cwinapp.h"
#include "platform/framework/message_box.h"
#include "platform/framework/wx/handles.h"
#include "tests/gui/dialog_driver.h"
#include "tests/gui/settings_files.h"
#include "tests/support/temp_dir.h"

namespace kvn::test {
namespace {

TEST(Shell, SystemCommandSixteenShowsTheAboutBox) {
    TempPrefix prefix;
    CGraphicsDlg dialog;
    std::string aboutTitle;
    UINT aboutTemplate = 0;
    RunDialog(dialog, [&] {
        wxTimer closer;
        closer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
            CDialog* about = CDialog::GetActiveDialog();
            if (about == nullptr || about == &dialog)
                return;
            aboutTemplate = about->GetTemplateId();
            aboutTitle = about->GetWindowText();
            about->PressEscape();
        });
        closer.Start(200);
        dialog.SendMessage(WM_SYSCOMMAND, 0x0010, 0);
        closer.Stop();
        EXPECT_EQ(CDialog::GetActiveDialog(), &dialog);
    });
    EXPECT_EQ(aboutTemplate, 100u);
    EXPECT_EQ(aboutTitle, "About kvn_setup");
}

TEST(Shell, TheWindowCarriesTheApplicationIcon) {
    TempPrefix prefix;
    CGraphicsDlg dialog;
    RunDialog(dialog, [&] {
        auto* window = dynamic_cast<wxTopLevelWindow*>(kvn::WxWindow(dialog));
        ASSERT_NE(window, nullptr);
        ASSERT_FALSE(window->GetIcons().IsEmpty());
        EXPECT_EQ(window->GetIcons().GetIconByIndex(0).GetWidth(), 32);
        const HICON dragIcon = reinterpret_cast<HICON>(dialog.SendMessage(WM_QUERYDRAGICON));
        EXPECT_EQ(dragIcon, AfxGetApp()->LoadIcon(128));
    });
}

TEST(Shell, F1ReportsThatHelpCannotBeStarted) {
    TempPrefix prefix;
    MessageRecorder messages;
    CGraphicsDlg dialog;
    RunDialog(dialog, [&] {
        PressKey(WXK_F1);
        EXPECT_TRUE(WaitUntil([&] { return !messages.texts().empty(); }));
    });
    ASSERT_EQ(messages.texts().size(), 1u);
    EXPECT_EQ(messages.texts()[0], "Failed to launch help.");
    EXPECT_EQ(messages.types[0] & 0xF0, MB_ICONEXCLAMATION);
}

// Watches modal dialogs opened by the toolkit, such as message boxes.
class ModalWatcher : public wxModalDialogHook {
  public:
    ModalWatcher() { Register(); }
    ~ModalWatcher() override { Unregister(); }
    int entered = 0;
    int left = 0;
    wxString title;
    wxDialog* box = nullptr; // the last one opened

  protected:
    int Enter(wxDialog* dialog) override {
        box = dialog;
        ++entered;
        title = dialog->GetTitle();
        return wxID_NONE;
    }
    void Exit(wxDialog*) override { ++left; }
};

TEST(Shell, TheRealMessageBoxIsShownAndDismissedWithEnter) {
    TempPrefix prefix;
    WriteFile(prefix.settingsFile(), SharedFile("", "", "MaxRAMForAGP=300"));
    CGraphicsDlg dialog;
    wxString boxTitle;
    RunDialog(dialog, [&] {
        // Only the boxes opened from here on are watched.
        ModalWatcher watcher;
        wxTimer answer;
        answer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
            if (watcher.entered > watcher.left) {
                wxUIActionSimulator simulator;
                simulator.MouseMove(wxGetDisplaySize().x / 2, wxGetDisplaySize().y / 2);
                simulator.Char(WXK_RETURN);
            }
        });
        answer.Start(300);
        Click(dialog.okButton);
        EXPECT_TRUE(WaitUntil([&] { return watcher.left >= 1; }, 5000));
        answer.Stop();
        EXPECT_EQ(watcher.entered, 1);
        EXPECT_TRUE(kvn::WxWindow(dialog)->IsShown());
        boxTitle = watcher.title;
    });
    EXPECT_EQ(boxTitle, wxString::FromUTF8(AfxProgramTitle()));
    EXPECT_EQ(AfxProgramTitle(), "gui_tests");
}

// As a native alert: the warning icon beside the text, an OK button of its
// own size that is default and focused, and Escape closes it.
TEST(Shell, TheMessageBoxLooksLikeAnAlertAndEscapeClosesIt) {
    TempPrefix prefix;
    WriteFile(prefix.settingsFile(), SharedFile("", "", "MaxRAMForAGP=300"));
    CGraphicsDlg dialog;
    RunDialog(dialog, [&] {
        ModalWatcher watcher;
        bool looked = false;
        wxTimer answer;
        answer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
            if (watcher.entered == watcher.left || !watcher.box->IsShown() || looked)
                return;
            looked = true;
            const wxWindowList& children = watcher.box->GetChildren();
            const bool hasIcon = std::any_of(children.begin(), children.end(), [](wxWindow* w) {
                auto* icon = dynamic_cast<wxStaticBitmap*>(w);
                return icon && icon->GetBitmap().GetWidth() >= 32;
            });
            EXPECT_TRUE(hasIcon);
            auto* ok = dynamic_cast<wxButton*>(watcher.box->FindWindow(wxID_OK));
            ASSERT_NE(ok, nullptr);
            EXPECT_EQ(wxWindow::FindFocus(), ok);
            EXPECT_EQ(watcher.box->GetDefaultItem(), ok);
            EXPECT_LT(ok->GetSize().x * 2, watcher.box->GetClientSize().x);
            wxUIActionSimulator().Char(WXK_ESCAPE);
        });
        answer.Start(300);
        Click(dialog.okButton);
        EXPECT_TRUE(WaitUntil([&] { return watcher.left >= 1; }, 5000));
        answer.Stop();
        EXPECT_TRUE(looked);
        EXPECT_TRUE(kvn::WxWindow(dialog)->IsShown());
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

// The program takes no command line: toolkit options such as --display are
// ignored like any other argument.
TEST(Shell, TheProgramIgnoresItsArgumentsAndExitsWithZero) {
    TempPrefix prefix;
    const std::string original = SharedFile("MipMapping=ON", "", "MaxRAMForAGP=AUTO");
    WriteFile(prefix.settingsFile(), original);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        execl(KVN_PROGRAM, "KVNConfig", "--display=:9", "--help", "-x",
              static_cast<char*>(nullptr));
        _exit(127);
    }
    // The window appears with the program's name, then Escape closes it.
    const std::string find = "timeout 10 xdotool search --sync --onlyvisible --name '^KVNConfig$'";
    std::string window;
    if (FILE* pipe = popen(find.c_str(), "r")) {
        char line[64] = "";
        if (fgets(line, sizeof line, pipe))
            window = line;
        pclose(pipe);
    }
    EXPECT_FALSE(window.empty());
    const std::string key =
        "xdotool windowfocus --sync " + window.substr(0, window.find('\n')) + " key Escape";
    EXPECT_EQ(std::system(key.c_str()), 0);

    int status = -1;
    for (int i = 0; i < 100 && waitpid(child, &status, WNOHANG) == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    if (waitpid(child, &status, WNOHANG) == 0) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        FAIL() << "the program did not end";
    }
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadFile(prefix.settingsFile()), original);
}

TEST(Shell, WithoutADisplayTheProgramEndsWithAMessageInsteadOfCrashing) {
    const std::string command =
        std::string("env -u DISPLAY -u WAYLAND_DISPLAY ") + KVN_PROGRAM + " 2>/dev/null";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_NE(WEXITSTATUS(status), 0);
}

} // namespace
} // namespace kvn::test
