// Stored values the controls cannot show as they are, and a missing file.
#include <filesystem>

#include <gtest/gtest.h>

#include "tests/gui/dialog_driver.h"
#include "tests/gui/settings_files.h"
#include "tests/support/temp_dir.h"

namespace kvn::test {
namespace {

TEST(StoredValues, LowGraphicModeSevenOpensClearedAndOkWritesZero) {
    TempPrefix prefix;
    WriteFile(prefix.settingsFile(),
              SharedFile("MipMapping=Off", "LowGraphicMode=7", "MaxRAMForAGP=Auto"));
    MessageRecorder messages;
    CGraphicsDlg dialog;
    const INT_PTR result = RunDialog(dialog, [&] {
        EXPECT_EQ(dialog.lowQualityCheck.GetCheck(), 0);
        EXPECT_EQ(dialog.settings.lowGraphicMode, 0);
        EXPECT_EQ(dialog.mipOffRadio.GetCheck(), 1);
        Click(dialog.okButton);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(ReadFile(prefix.settingsFile()),
              SharedFile("MipMapping=OFF", "LowGraphicMode=0", "MaxRAMForAGP=AUTO"));
}

TEST(StoredValues, MaxRamTwoHundredOpensUnderSpecifyAndIsRefusedUntilChanged) {
    TempPrefix prefix;
    const std::string original =
        SharedFile("MipMapping=AUTO", "LowGraphicMode=1", "MaxRAMForAGP=200");
    WriteFile(prefix.settingsFile(), original);
    MessageRecorder messages;
    CGraphicsDlg dialog;
    const INT_PTR result = RunDialog(dialog, [&] {
        EXPECT_EQ(dialog.agpSpecifyRadio.GetCheck(), 1);
        EXPECT_EQ(dialog.mipAutoRadio.GetCheck(), 1);
        EXPECT_EQ(dialog.lowQualityCheck.GetCheck(), 1);
        EXPECT_TRUE(dialog.memoryEdit.IsWindowEnabled());
        EXPECT_EQ(dialog.memoryEdit.GetWindowText(), "200");

        Click(dialog.okButton);
        ASSERT_TRUE(WaitUntil([&] { return messages.texts().size() == 1; }));
        EXPECT_EQ(ReadFile(prefix.settingsFile()), original);

        // The arrows start from the control's own position when the box
        // holds a figure beyond the range.
        ClickSpinArrow(dialog.memorySpin, true);
        EXPECT_TRUE(WaitUntil([&] { return dialog.memoryEdit.GetWindowText() == "1"; }));
        Click(dialog.okButton);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(ReadFile(prefix.settingsFile()),
              SharedFile("MipMapping=AUTO", "LowGraphicMode=1", "MaxRAMForAGP=1"));
}

TEST(StoredValues, WithoutTheFolderNothingIsCreatedAndOkSaysSo) {
    TempPrefix prefix;
    MessageRecorder messages;
    CGraphicsDlg dialog;
    const INT_PTR result = RunDialog(dialog, [&] {
        EXPECT_FALSE(dialog.toolButton.IsWindowEnabled());
        EXPECT_EQ(dialog.mipAutoRadio.GetCheck(), 1);
        EXPECT_EQ(dialog.agpAutoRadio.GetCheck(), 1);
        EXPECT_FALSE(dialog.memoryEdit.IsWindowEnabled());
        Click(dialog.okButton);
        // The dialog stays open for another try; the driver then cancels it.
        ASSERT_TRUE(WaitUntil([&] { return !messages.texts().empty(); }));
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(messages.texts(),
              std::vector<std::string>{"The settings could not be saved to " +
                                       (prefix.windows() / "korvane" / "kvn.ini").string() +
                                       ".\n\nThe folder does not exist."});
    EXPECT_FALSE(std::filesystem::exists(prefix.windows() / "korvane"));
}

TEST(StoredValues, WithTheFolderOkCreatesTheFile) {
    TempPrefix prefix;
    const auto file = prefix.settingsFile(); // creates the folder only
    CGraphicsDlg dialog;
    const INT_PTR result = RunDialog(dialog, [&] {
        EXPECT_FALSE(dialog.toolButton.IsWindowEnabled());
        Click(dialog.okButton);
    });
    EXPECT_EQ(result, IDOK);
    const std::string saved = ReadFile(file);
    EXPECT_NE(saved.find("[ZOLT]"), std::string::npos) << saved;
    EXPECT_NE(saved.find("MipMapping=AUTO"), std::string::npos) << saved;
    EXPECT_NE(saved.find("LowGraphicMode=0"), std::string::npos) << saved;
    EXPECT_NE(saved.find("MaxRAMForAGP=AUTO"), std::string::npos) << saved;
}

} // namespace
} // namespace kvn::test
