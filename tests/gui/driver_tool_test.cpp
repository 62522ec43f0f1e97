// The driver-tool button: the tool runs on a worker thread while OK, Cancel
// and the button are disabled and the dialog cannot be closed.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string_view>
#include <thread>

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/uiaction.h>

#include "platform/framework/wx/handles.h"
#include "tests/gui/dialog_driver.h"
#include "tests/gui/settings_files.h"
#include "tests/gui/stand_in_tool.h"
#include "tests/support/temp_dir.h"

extern char** environ;

namespace kvn::test {
namespace {

constexpr const char* kToolDirVariable = "KVN_STAND_IN_TOOL_DIR";

bool ButtonsEnabled(CGraphicsDlg& dialog) {
    return dialog.okButton.IsWindowEnabled() && dialog.cancelButton.IsWindowEnabled() &&
           dialog.toolButton.IsWindowEnabled();
}

bool ButtonsDisabled(CGraphicsDlg& dialog) {
    return !dialog.okButton.IsWindowEnabled() && !dialog.cancelButton.IsWindowEnabled() &&
           !dialog.toolButton.IsWindowEnabled();
}

// The button's click notification, handled before this returns.
void SendClick(CButton& button) {
    wxWindow* window = kvn::WxWindow(button);
    wxCommandEvent click(wxEVT_BUTTON, window->GetId());
    click.SetEventObject(window);
    window->ProcessWindowEvent(click);
}

class DriverTool : public ::testing::Test {
  protected:
    void SetUp() override { WriteFile(prefix.settingsFile(), original); }

    // The caption file's default path of the tool.
    void UseDefaultToolPath() { dialog.toolPath = ".\\DrvPicker.exe"; }

    TempPrefix prefix;
    const std::string original = SharedFile("MipMapping=ON", "", "MaxRAMForAGP=AUTO");
    MessageRecorder messages;
    CGraphicsDlg dialog;
};

TEST_F(DriverTool, WithoutAToolTheButtonsComeBackAndNothingElseHappens) {
    StandInTool none(false);
    const INT_PTR result = RunDialog(dialog, [&] {
        UseDefaultToolPath();
        ASSERT_TRUE(ButtonsEnabled(dialog));
        SendClick(dialog.toolButton);
        // The worker's end reaches this thread only through its event queue.
        EXPECT_TRUE(ButtonsDisabled(dialog));
        EXPECT_TRUE(dialog.workerThread.has_value());
        EXPECT_TRUE(WaitUntil([&] { return ButtonsEnabled(dialog); }));
        EXPECT_FALSE(dialog.workerThread.has_value());
        EXPECT_TRUE(kvn::WxWindow(dialog)->IsShown());
        EXPECT_EQ(dialog.onRadio.GetCheck(), 1);
        EXPECT_FALSE(dialog.memoryEdit.IsWindowEnabled());
        Click(dialog.cancelButton);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(messages.texts().empty());
    EXPECT_EQ(ReadFile(prefix.settingsFile()), original);
}

TEST_F(DriverTool, WhileTheToolRunsTheDialogStaysOpenAndResponsive) {
    StandInTool tool;
    const INT_PTR result = RunDialog(dialog, [&] {
        UseDefaultToolPath();
        Click(dialog.toolButton);
        ASSERT_TRUE(WaitUntil([&] { return tool.Starts().size() == 1; }));
        EXPECT_TRUE(ButtonsDisabled(dialog));
        EXPECT_TRUE(dialog.workerThread.has_value());

        // Enter, Escape and the close box are refused.
        PressKey(WXK_RETURN);
        PressKey(WXK_ESCAPE);
        kvn::WxWindow(dialog)->Close();
        Pump(100);
        EXPECT_TRUE(kvn::WxWindow(dialog)->IsShown());
        EXPECT_EQ(ReadFile(prefix.settingsFile()), original);

        // The rest of the dialog still works and paints.
        Click(dialog.offRadio);
        EXPECT_TRUE(WaitUntil([&] { return dialog.offRadio.GetCheck() == 1; }));
        Click(dialog.lowQualityCheck);
        EXPECT_TRUE(WaitUntil([&] { return dialog.lowQualityCheck.GetCheck() == 1; }));
        Click(dialog.specifyRadio);
        EXPECT_TRUE(WaitUntil([&] { return dialog.memoryEdit.IsWindowEnabled(); }));
        ClickSpinArrow(dialog.memorySpin, true);
        EXPECT_TRUE(WaitUntil([&] { return dialog.memoryEdit.GetWindowText() == "1"; }));
        bool painted = false;
        auto onPaint = [&](wxPaintEvent& event) {
            painted = true;
            event.Skip();
        };
        kvn::WxWindow(dialog)->Bind(wxEVT_PAINT, onPaint);
        kvn::WxWindow(dialog)->Refresh();
        EXPECT_TRUE(WaitUntil([&] { return painted; }));
        kvn::WxWindow(dialog)->Unbind(wxEVT_PAINT, onPaint);
        EXPECT_TRUE(ButtonsDisabled(dialog));

        tool.Release();
        EXPECT_TRUE(WaitUntil([&] { return ButtonsEnabled(dialog); }));
        EXPECT_EQ(tool.Finished().size(), 1u);
        EXPECT_FALSE(dialog.workerThread.has_value());
        // The keyboard works again: Escape closes.
        PressKey(WXK_ESCAPE);
        EXPECT_TRUE(WaitUntil([&] { return !kvn::WxWindow(dialog)->IsShown(); }));
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(messages.texts().empty());
    EXPECT_EQ(ReadFile(prefix.settingsFile()), original);
}

TEST_F(DriverTool, ADoubleClickStartsOneTool) {
    StandInTool tool;
    RunDialog(dialog, [&] {
        UseDefaultToolPath();
        wxUIActionSimulator simulator;
        wxWindow* button = kvn::WxWindow(dialog.toolButton);
        simulator.MouseMove(button->ClientToScreen(wxPoint(button->GetSize().x / 2, 5)));
        Pump(30);
        simulator.MouseDblClick();
        ASSERT_TRUE(WaitUntil([&] { return !tool.Starts().empty(); }));
        // Enough time for a second start to show.
        Pump(300);
        EXPECT_EQ(tool.Starts().size(), 1u);
        tool.Release();
        EXPECT_TRUE(WaitUntil([&] { return ButtonsEnabled(dialog); }));
        Pump(100);
        EXPECT_EQ(tool.Starts().size(), 1u);
        // The keyboard is back on the button, as before the click.
        EXPECT_TRUE(dialog.toolButton.HasFocus());
    });
}

TEST_F(DriverTool, AFailedStartLeavesTheButtonWorking) {
    // A tool that exists but may not be run.
    StandInTool tool;
    std::filesystem::permissions(tool.dir() / "DrvPicker.exe", std::filesystem::perms(0644));
    RunDialog(dialog, [&] {
        UseDefaultToolPath();
        Click(dialog.toolButton);
        EXPECT_TRUE(WaitUntil([&] { return ButtonsEnabled(dialog); }));
        EXPECT_TRUE(tool.Starts().empty());
        EXPECT_FALSE(dialog.workerThread.has_value());
        // And the button works again.
        std::filesystem::permissions(tool.dir() / "DrvPicker.exe", std::filesystem::perms(0755));
        Click(dialog.toolButton);
        EXPECT_TRUE(WaitUntil([&] { return tool.Starts().size() == 1; }));
        EXPECT_TRUE(ButtonsDisabled(dialog));
        tool.Release();
        EXPECT_TRUE(WaitUntil([&] { return ButtonsEnabled(dialog); }));
    });
    EXPECT_TRUE(messages.texts().empty());
}

// Run in a process of its own by the next test: starts the tool, then has the
// window destroyed while the tool waits, as another program could.
TEST(DriverToolAbandonedChild, DISABLED_WindowDestroyedWhileTheToolWaits) {
    const char* dir = std::getenv(kToolDirVariable);
    ASSERT_NE(dir, nullptr);
    TempPrefix prefix;
    WriteFile(prefix.settingsFile(), SharedFile("MipMapping=ON", "", "MaxRAMForAGP=AUTO"));
    ScopedCurrentDir cwd(dir);
    CGraphicsDlg dialog;
    RunDialog(dialog, [&] {
        dialog.toolPath = ".\\DrvPicker.exe";
        Click(dialog.toolButton);
        ASSERT_TRUE(WaitUntil([&] { return std::filesystem::exists("starts"); }, 5000));
        dialog.EndDialog(IDCANCEL);
    });
    WriteFile(std::filesystem::path(dir) / "destroyed", "");
}

TEST(DriverToolAbandoned, WindowDestroyedWhileTheToolWaitsTheProcessEndsAndTheToolRunsOn) {
    StandInTool tool;
    const std::string dirSetting = std::string(kToolDirVariable) + "=" + tool.dir().string();
    // ThreadSanitizer would hold the exit for a second while a thread runs.
    std::string sanitizer = "TSAN_OPTIONS=atexit_sleep_ms=0";
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        if (std::string_view(*e).starts_with("TSAN_OPTIONS="))
            sanitizer = std::string(*e) + ":atexit_sleep_ms=0";
        else
            env.emplace_back(*e);
    }
    env.push_back(dirSetting);
    env.push_back(sanitizer);
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    std::string filter = "--gtest_filter=DriverToolAbandonedChild.*";
    std::string disabled = "--gtest_also_run_disabled_tests";
    char* argv[] = {self.data(), filter.data(), disabled.data(), nullptr};
    pid_t child = -1;
    ASSERT_EQ(::posix_spawn(&child, self.c_str(), nullptr, nullptr, argv, envp.data()), 0);

    auto childEnded = [&](int& status) { return ::waitpid(child, &status, WNOHANG) == child; };
    int status = -1;
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(25);
    while (!std::filesystem::exists(tool.dir() / "destroyed") && !childEnded(status) &&
           std::chrono::steady_clock::now() < limit)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(std::filesystem::exists(tool.dir() / "destroyed"));

    // The process ends without waiting for the tool.
    bool ended = status != -1;
    for (int i = 0; i < 100 && !ended; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ended = childEnded(status);
    }
    if (!ended) {
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
        ADD_FAILURE() << "the process did not end within a second of the window's end";
    } else {
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    }

    // The tool is still running, and ends when released.
    ASSERT_EQ(tool.Starts().size(), 1u);
    EXPECT_TRUE(tool.Finished().empty());
    EXPECT_EQ(::kill(tool.Starts()[0], 0), 0);
    tool.Release();
    for (int i = 0; i < 300 && tool.Finished().empty(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(tool.Finished(), tool.Starts());
}

} // namespace
} // namespace kvn::test
