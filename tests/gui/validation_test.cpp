// The memory figure's validation: messages, focus, and nothing written.
#include <gtest/gtest.h>

#include "tests/gui/dialog_driver.h"
#include "tests/gui/settings_files.h"
#include "tests/support/temp_dir.h"

namespace kvn::test {
namespace {

constexpr const char* kRangeMessage = "Please enter an integer between 0 and 128.";
constexpr const char* kIntegerMessage = "Please enter an integer.";

class Validation : public ::testing::Test {
  protected:
    void SetUp() override { WriteFile(prefix.settingsFile(), original); }

    // Replaces the box's text by typing, as the player does.
    void TypeIntoBox(const char* text) {
        Click(dialog.memoryEdit);
        dialog.memoryEdit.SetSel(0, -1);
        PressKey(kKeyDelete);
        if (*text)
            TypeText(text);
        ASSERT_TRUE(WaitUntil([&] { return dialog.memoryEdit.GetWindowText() == text; }))
            << dialog.memoryEdit.GetWindowText();
    }

    bool StillOpen() const { return IsShown(dialog); }

    TempPrefix prefix;
    const std::string original =
        SharedFile("MipMapping=OFF", "LowGraphicMode=1", "MaxRAMForAGP=64");
    MessageRecorder messages;
    CGraphicsDlg dialog;
};

TEST_F(Validation, OkWithOneHundredTwentyNineShowsTheRangeMessageOnce) {
    RunDialog(dialog, [&] {
        TypeIntoBox("129");
        Click(dialog.okButton);
        ASSERT_TRUE(WaitUntil([&] { return !messages.texts().empty(); }));
        Pump(100);
        EXPECT_EQ(messages.texts(), std::vector<std::string>{kRangeMessage});
        EXPECT_EQ(messages.types.front() & 0xF0, MB_ICONEXCLAMATION);
        EXPECT_TRUE(dialog.memoryEdit.HasFocus());
        EXPECT_TRUE(AllTextSelected(dialog.memoryEdit));
        EXPECT_TRUE(StillOpen());
        EXPECT_EQ(ReadFile(prefix.settingsFile()), original);
        EXPECT_EQ(dialog.settings.agpMemoryMb, 129);
    });
    EXPECT_EQ(ReadFile(prefix.settingsFile()), original);
}

TEST_F(Validation, FiveHundredTypedUnderSpecifyIsRefusedAfterAutoToo) {
    RunDialog(dialog, [&] {
        TypeIntoBox("500");
        Click(dialog.agpAutoRadio);
        // The click's own exchange already checks the figure.
        ASSERT_TRUE(WaitUntil([&] { return messages.texts().size() == 1; }));
        EXPECT_EQ(messages.texts().back(), kRangeMessage);
        EXPECT_FALSE(dialog.memoryEdit.IsWindowEnabled());
        EXPECT_EQ(dialog.memoryEdit.GetWindowText(), "500");

        Click(dialog.okButton);
        ASSERT_TRUE(WaitUntil([&] { return messages.texts().size() == 2; }));
        Pump(100);
        EXPECT_EQ(messages.texts().size(), 2u);
        EXPECT_EQ(messages.texts().back(), kRangeMessage);
        EXPECT_TRUE(StillOpen());
    });
    EXPECT_EQ(ReadFile(prefix.settingsFile()), original);
}

TEST_F(Validation, EmptiedBoxThenAutoAsksForAnIntegerUntilOneIsGiven) {
    const INT_PTR result = RunDialog(dialog, [&] {
        TypeIntoBox("");
        Click(dialog.agpAutoRadio);
        ASSERT_TRUE(WaitUntil([&] { return messages.texts().size() == 1; }));
        EXPECT_EQ(messages.texts().back(), kIntegerMessage);
        EXPECT_FALSE(dialog.memoryEdit.IsWindowEnabled());

        Click(dialog.okButton);
        ASSERT_TRUE(WaitUntil([&] { return messages.texts().size() == 2; }));
        EXPECT_EQ(messages.texts().back(), kIntegerMessage);
        EXPECT_TRUE(StillOpen());
        EXPECT_EQ(ReadFile(prefix.settingsFile()), original);

        Click(dialog.agpSpecifyRadio);
        ASSERT_TRUE(WaitUntil([&] { return dialog.memoryEdit.IsWindowEnabled(); }));
        TypeIntoBox("32");
        Click(dialog.okButton);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(ReadFile(prefix.settingsFile()),
              SharedFile("MipMapping=OFF", "LowGraphicMode=1", "MaxRAMForAGP=32"));
}

TEST_F(Validation, TypingAcceptsDigitsOnly) {
    RunDialog(dialog, [&] {
        TypeIntoBox("");
        TypeText("1a-2 b3");
        EXPECT_TRUE(WaitUntil([&] { return dialog.memoryEdit.GetWindowText() == "123"; }))
            << dialog.memoryEdit.GetWindowText();
    });
    EXPECT_TRUE(messages.texts().empty());
}

TEST_F(Validation, PastedTextIsNotFilteredAndANegativeFigureIsRefused) {
    RunDialog(dialog, [&] {
        TypeIntoBox("");
        PutOnClipboard("-5");
        PressKey('V', kModControl);
        ASSERT_TRUE(WaitUntil([&] { return dialog.memoryEdit.GetWindowText() == "-5"; }))
            << dialog.memoryEdit.GetWindowText();
        Click(dialog.okButton);
        ASSERT_TRUE(WaitUntil([&] { return !messages.texts().empty(); }));
        EXPECT_EQ(messages.texts(), std::vector<std::string>{kRangeMessage});
        EXPECT_TRUE(AllTextSelected(dialog.memoryEdit));
    });
    EXPECT_EQ(ReadFile(prefix.settingsFile()), original);
}

// A save that fails is no validation failure, but the player meets it the
// same way: one message, and the dialog stays open with the choices made.
TEST_F(Validation, AFailedSaveIsShownAndOkTriesAgain) {
    namespace fs = std::filesystem;
    const fs::path file = prefix.settingsFile();
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const INT_PTR result = RunDialog(dialog, [&] {
        TypeIntoBox("32");
        Click(dialog.okButton);
        ASSERT_TRUE(WaitUntil([&] { return !messages.texts().empty(); }));
        Pump(100);
        EXPECT_EQ(messages.texts(),
                  std::vector<std::string>{"The settings could not be saved to " + file.string() +
                                           ".\n\nThe file or its folder is read-only."});
        EXPECT_EQ(messages.types.front() & 0xF0, MB_ICONEXCLAMATION);
        EXPECT_TRUE(StillOpen());
        EXPECT_EQ(ReadFile(file), original);
        fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
        Click(dialog.okButton);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(messages.texts().size(), 1u);
    EXPECT_EQ(ReadFile(file), SharedFile("MipMapping=OFF", "LowGraphicMode=1", "MaxRAMForAGP=32"));
}

} // namespace
} // namespace kvn::test
