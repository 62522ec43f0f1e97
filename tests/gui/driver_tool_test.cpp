// The driver-tool button: the tool runs on a worker thread while OK, Cancel
// and the button are disabled and the dialog cannot be closed.
#include <gtest/gtest.h>

#include "tests/gui/dialog_driver.h"
#include "tests/gui/settings_files.h"
#include "tests/gui/shell_driver.h"
#include "tests/gui/stand_in_tool.h"
#include "tests/support/temp_dir.h"

namespace kvn::test {
namespace {

bool ButtonsEnabled(CGraphicsDlg& dialog) {
    return dialog.okButton.IsWindowEnabled() && dialog.cancelButton.IsWindowEnabled() &&
           dialog.toolButton.IsWindowEnabled();
}

bool ButtonsDisabled(CGraphicsDlg& dialog) {
    return !dialog.okButton.IsWindowEnabled() && !dialog.cancelButton.IsWindowEnabled() &&
           !dialog.toolButton.IsWindowEnabled();
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
        EXPECT_TRUE(dialog.workerThread);
        EXPECT_TRUE(WaitUntil([&] { return ButtonsEnabled(dialog); }));
        EXPECT_FALSE(dialog.workerThread);
        EXPECT_TRUE(IsShown(dialog));
        EXPECT_EQ(dialog.mipOnRadio.GetCheck(), 1);
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
        EXPECT_TRUE(dialog.workerThread);

        // Enter, Escape and the close box are refused.
        PressKey(kKeyReturn);
        PressKey(kKeyEscape);
        PressCloseBox(dialog);
        Pump(100);
        EXPECT_TRUE(IsShown(dialog));
        EXPECT_EQ(ReadFile(prefix.settingsFile()), original);

        // The rest of the dialog still works and paints.
        Click(dialog.mipOffRadio);
        EXPECT_TRUE(WaitUntil([&] { return dialog.mipOffRadio.GetCheck() == 1; }));
        Click(dialog.lowQualityCheck);
        EXPECT_TRUE(WaitUntil([&] { return dialog.lowQualityCheck.GetCheck() == 1; }));
        Click(dialog.agpSpecifyRadio);
        EXPECT_TRUE(WaitUntil([&] { return dialog.memoryEdit.IsWindowEnabled(); }));
        ClickSpinArrow(dialog.memorySpin, true);
        EXPECT_TRUE(WaitUntil([&] { return dialog.memoryEdit.GetWindowText() == "1"; }));
        EXPECT_TRUE(RepaintsAfterInvalidate(dialog));
        EXPECT_TRUE(ButtonsDisabled(dialog));

        tool.Release();
        EXPECT_TRUE(WaitUntil([&] { return ButtonsEnabled(dialog); }));
        EXPECT_EQ(tool.Finished().size(), 1u);
        EXPECT_FALSE(dialog.workerThread);
        // The focus stays where the player put it meanwhile.
        EXPECT_FALSE(dialog.toolButton.HasFocus());
        // The keyboard works again: Escape closes.
        PressKey(kKeyEscape);
        EXPECT_TRUE(WaitUntil([&] { return !IsShown(dialog); }));
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(messages.texts().empty());
    EXPECT_EQ(ReadFile(prefix.settingsFile()), original);
}

TEST_F(DriverTool, ADoubleClickStartsOneTool) {
    StandInTool tool;
    RunDialog(dialog, [&] {
        UseDefaultToolPath();
        DoubleClick(dialog.toolButton);
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
    // A tool that exists but cannot be started.
    StandInTool tool;
    tool.Spoil();
    RunDialog(dialog, [&] {
        UseDefaultToolPath();
        Click(dialog.toolButton);
        EXPECT_TRUE(WaitUntil([&] { return ButtonsEnabled(dialog); }));
        EXPECT_TRUE(tool.Starts().empty());
        EXPECT_FALSE(dialog.workerThread);
        // And the button works again.
        tool.Install();
        Click(dialog.toolButton);
        EXPECT_TRUE(WaitUntil([&] { return tool.Starts().size() == 1; }));
        EXPECT_TRUE(ButtonsDisabled(dialog));
        tool.Release();
        EXPECT_TRUE(WaitUntil([&] { return ButtonsEnabled(dialog); }));
    });
    EXPECT_TRUE(messages.texts().empty());
}

} // namespace
} // namespace kvn::test
