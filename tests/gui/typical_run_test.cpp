// The typical run, end to end through real mouse input.
#include <gtest/gtest.h>

#include "tests/gui/dialog_driver.h"
#include "tests/gui/settings_files.h"
#include "tests/support/temp_dir.h"

namespace kvn::test {
namespace {

TEST(TypicalRun, SpecifySixtyFourWithTheArrowsThenOkWritesTheThreeKeys) {
    TempPrefix prefix;
    WriteFile(prefix.settingsFile(),
              SharedFile("MipMapping=ON", "LowGraphicMode=0", "MaxRAMForAGP=AUTO"));
    MessageRecorder messages;
    CGraphicsDlg dialog;
    const INT_PTR result = RunDialog(dialog, [&] {
        EXPECT_EQ(dialog.mipOnRadio.GetCheck(), 1);
        EXPECT_EQ(dialog.agpAutoRadio.GetCheck(), 1);
        EXPECT_FALSE(dialog.memoryEdit.IsWindowEnabled());
        EXPECT_EQ(dialog.memoryEdit.GetWindowText(), "0");
        EXPECT_TRUE(dialog.toolButton.IsWindowEnabled());
        EXPECT_TRUE(dialog.okButton.HasFocus());

        Click(dialog.agpSpecifyRadio);
        ASSERT_TRUE(WaitUntil([&] { return dialog.memoryEdit.IsWindowEnabled(); }));
        for (int i = 0; i < 64; ++i)
            ClickSpinArrow(dialog.memorySpin, true);
        EXPECT_TRUE(WaitUntil([&] { return dialog.memoryEdit.GetWindowText() == "64"; }))
            << dialog.memoryEdit.GetWindowText();
        Click(dialog.okButton);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(messages.texts().empty());
    EXPECT_EQ(ReadFile(prefix.settingsFile()),
              SharedFile("MipMapping=ON", "LowGraphicMode=0", "MaxRAMForAGP=64"));
}

} // namespace
} // namespace kvn::test
