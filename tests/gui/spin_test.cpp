// The up-down control beside the memory box: limits, keys, and its buddy.
#include <string>

#include <gtest/gtest.h>

#include "tests/gui/dialog_driver.h"
#include "tests/gui/settings_files.h"
#include "tests/support/temp_dir.h"

namespace kvn::test {
namespace {

class Spin : public ::testing::Test {
  protected:
    void Open(const char* maxRam) {
        WriteFile(prefix.settingsFile(), SharedFile("MipMapping=ON", "", maxRam));
    }
    bool BoxShows(const char* text) {
        return WaitUntil([&] { return dialog.memoryEdit.GetWindowText() == text; }, 1000);
    }

    TempPrefix prefix;
    MessageRecorder messages;
    CGraphicsDlg dialog;
};

TEST_F(Spin, StopsAtOneHundredTwentyEightAndAtZeroWithoutWrapping) {
    Open("MaxRAMForAGP=127");
    RunDialog(dialog, [&] {
        ClickSpinArrow(dialog.memorySpin, true);
        EXPECT_TRUE(BoxShows("128"));
        ClickSpinArrow(dialog.memorySpin, true);
        EXPECT_TRUE(BoxShows("128"));

        dialog.memoryEdit.SetWindowText("1");
        ClickSpinArrow(dialog.memorySpin, false);
        EXPECT_TRUE(BoxShows("0"));
        ClickSpinArrow(dialog.memorySpin, false);
        EXPECT_TRUE(BoxShows("0"));
        ClickSpinArrow(dialog.memorySpin, true);
        EXPECT_TRUE(BoxShows("1"));
    });
    EXPECT_TRUE(messages.texts().empty());
}

TEST_F(Spin, UpAndDownKeysInTheBoxStepTheFigure) {
    Open("MaxRAMForAGP=10");
    RunDialog(dialog, [&] {
        Click(dialog.memoryEdit);
        ASSERT_TRUE(dialog.memoryEdit.HasFocus());
        PressKey(kKeyUp);
        PressKey(kKeyUp);
        PressKey(kKeyUp);
        EXPECT_TRUE(BoxShows("13"));
        PressKey(kKeyDown);
        EXPECT_TRUE(BoxShows("12"));
    });
}

TEST_F(Spin, ArrowsDoNothingWhileTheBoxIsDisabled) {
    Open("MaxRAMForAGP=AUTO");
    RunDialog(dialog, [&] {
        ASSERT_FALSE(dialog.memoryEdit.IsWindowEnabled());
        ClickSpinArrow(dialog.memorySpin, true);
        Pump(50);
        EXPECT_EQ(dialog.memoryEdit.GetWindowText(), "0");
    });
}

TEST_F(Spin, HoldingAnArrowRepeats) {
    Open("MaxRAMForAGP=0");
    RunDialog(dialog, [&] {
        // Pressed for a second: the first step, then repeats after a delay.
        HoldSpinArrow(dialog.memorySpin, true, 1000);
        const int figure = std::stoi(dialog.memoryEdit.GetWindowText());
        EXPECT_GT(figure, 3);
        EXPECT_LE(figure, 128);
    });
}

} // namespace
} // namespace kvn::test
