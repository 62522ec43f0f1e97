// Cancel, Escape and the close box end the dialog without writing.
#include <gtest/gtest.h>

#include "tests/gui/dialog_driver.h"
#include "tests/gui/settings_files.h"
#include "tests/support/temp_dir.h"

namespace kvn::test {
namespace {

class Closing : public ::testing::Test {
  protected:
    void SetUp() override { WriteFile(prefix.settingsFile(), original); }

    // Changes every value in the dialog, so that a save would show.
    void ChangeEverything() {
        Click(dialog.mipOffRadio);
        Click(dialog.lowQualityCheck);
        Click(dialog.agpSpecifyRadio);
        ClickSpinArrow(dialog.memorySpin, true);
        ASSERT_TRUE(WaitUntil([&] { return dialog.memoryEdit.GetWindowText() == "1"; }));
    }

    TempPrefix prefix;
    const std::string original = SharedFile("MipMapping=ON", "", "MaxRAMForAGP=AUTO");
    MessageRecorder messages;
    CGraphicsDlg dialog;
};

TEST_F(Closing, CancelWritesNothing) {
    const INT_PTR result = RunDialog(dialog, [&] {
        ChangeEverything();
        Click(dialog.cancelButton);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(ReadFile(prefix.settingsFile()), original);
}

TEST_F(Closing, EscapeWritesNothing) {
    const INT_PTR result = RunDialog(dialog, [&] {
        ChangeEverything();
        PressKey(kKeyEscape);
        EXPECT_TRUE(WaitUntil([&] { return !IsShown(dialog); }));
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(ReadFile(prefix.settingsFile()), original);
}

TEST_F(Closing, CloseBoxWritesNothing) {
    const INT_PTR result = RunDialog(dialog, [&] {
        ChangeEverything();
        // What the window manager's close button asks for.
        PressCloseBox(dialog);
        EXPECT_TRUE(WaitUntil([&] { return !IsShown(dialog); }));
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(ReadFile(prefix.settingsFile()), original);
}

TEST_F(Closing, EnterIsOk) {
    const INT_PTR result = RunDialog(dialog, [&] {
        Click(dialog.mipOffRadio);
        PressKey(kKeyReturn);
    });
    EXPECT_EQ(result, IDOK);
    const std::string saved = ReadFile(prefix.settingsFile());
    EXPECT_NE(saved.find("\r\nMipMapping=OFF\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("\r\nLowGraphicMode=0\r\n"), std::string::npos) << saved;
}

TEST_F(Closing, EscapeAndCloseBoxAreRefusedWhileCancelIsDisabled) {
    const INT_PTR result = RunDialog(dialog, [&] {
        dialog.cancelButton.EnableWindow(FALSE);
        PressKey(kKeyEscape);
        PressCloseBox(dialog);
        Pump(100);
        EXPECT_TRUE(IsShown(dialog));
        dialog.cancelButton.EnableWindow(TRUE);
        PressKey(kKeyEscape);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(ReadFile(prefix.settingsFile()), original);
}

} // namespace
} // namespace kvn::test
