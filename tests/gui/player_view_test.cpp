// The dialog as the player meets it on either platform: the focus, the
// keyboard, and where the dialogs lie on the screen.
#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "dialog/about_box.h"
#include "platform/framework/resource_registry.h"
#include "tests/gui/player_view.h"
#include "tests/gui/player_view_fixture.h"
#include "tests/support/profile_value.h"

namespace kvn::test {
namespace {

TEST_F(PlayerView, AfterAFailedExchangeTheFocusIsOnTheChoiceThatEnablesTheBox) {
    Open("MaxRAMForAGP=64\r\n");
    RunDialog(dialog, [&] {
        dialog.memoryEdit.SetWindowText("500");
        Click(dialog.agpAutoRadio);
        ASSERT_TRUE(WaitUntil([&] { return messages.texts().size() == 1; }));
        EXPECT_TRUE(WaitUntil([&] { return dialog.agpSpecifyRadio.HasFocus(); }));
        EXPECT_FALSE(dialog.memoryEdit.IsWindowEnabled());

        Click(dialog.okButton);
        ASSERT_TRUE(WaitUntil([&] { return messages.texts().size() == 2; }));
        EXPECT_TRUE(WaitUntil([&] { return dialog.agpSpecifyRadio.HasFocus(); }));
        // From there the player mends the figure.
        PressKey(kKeySpace);
        ASSERT_TRUE(WaitUntil([&] { return dialog.memoryEdit.IsWindowEnabled(); }));
    });
}

TEST_F(PlayerView, GroupMnemonicMovesTheFocusAndChangesNothing) {
    Open("MipMapping=OFF\r\n", "MMAP=&Mipmapping\r\n");
    RunDialog(dialog, [&] {
        PressKey(LetterKey('m'), kModAlt);
        EXPECT_TRUE(WaitUntil([&] { return dialog.mipOffRadio.HasFocus(); }));
        EXPECT_EQ(dialog.mipOffRadio.GetCheck(), 1);
        // The arrow keys wrap round inside the group.
        PressKey(kKeyDown);
        PressKey(kKeyDown);
        EXPECT_TRUE(WaitUntil([&] { return dialog.mipOnRadio.GetCheck() == 1; }));
        PressKey(kKeyUp);
        EXPECT_TRUE(WaitUntil([&] { return dialog.mipAutoRadio.HasFocus(); }));
        EXPECT_EQ(dialog.mipAutoRadio.GetCheck(), 1);
        Click(dialog.okButton);
    });
    EXPECT_EQ(ProfileValue(prefix.settingsFile().string(), "ZOLT", "MipMapping"), "AUTO");
}

// What the widened dialog still cannot show ends in "…"; the tooltip, screen
// readers and the program get the whole caption, and a mnemonic still shown
// still works.
TEST_F(PlayerView, LongestCaptionsFitTheScreenShortenedWithTheirWholeText) {
    const std::string lowText = "&Low" + std::string(95, 'W');
    Open("", "GRAPHICSQUALITY=" + lowText + "\r\nMMAP=" + std::string(97, 'W') + "&M\r\n" +
                 LongestCaptions());
    RunDialog(dialog, [&] {
        const std::string okText = "OK" + std::string(97, 'W');
        EXPECT_EQ(dialog.okButton.GetWindowText(), okText);
        EXPECT_EQ(ToolTipText(dialog.okButton), okText);
        EXPECT_EQ(AccessibleName(dialog.okButton), okText);
        EXPECT_EQ(dialog.lowQualityCheck.GetWindowText(), lowText);
        EXPECT_EQ(ToolTipText(dialog.mipGroup), std::string(97, 'W') + "M");
        // The title group, wide enough for its caption, keeps the tooltip
        // that names the file the dialog edits.
        EXPECT_EQ(ToolTipText(dialog.titleGroup),
                  "Settings file: " + prefix.settingsFile().string());
        PressKey(LetterKey('l'), kModAlt);
        EXPECT_TRUE(WaitUntil([&] { return dialog.lowQualityCheck.GetCheck() == 1; }));
#ifdef _WIN32
        // GTK cuts captions as it draws them; on Windows the control shows
        // the shortened text, and it fits.
        EXPECT_TRUE(ShownText(dialog.okButton).ends_with("\xE2\x80\xA6"));
        for (const ShownControl& c : ShownControls(dialog))
            EXPECT_LE(c.neededWidth, c.rect.right - c.rect.left) << c.text;
#endif
    });
}

TEST_F(PlayerView, LongestCaptionsKeepTheDialogOnScreenWithOkAndCancelCentred) {
    Open("", LongestCaptions());
    RunDialog(dialog, [&] {
        const RECT frame = ScreenRect(dialog);
        EXPECT_TRUE(Contains(WorkArea(dialog), frame)) << frame.left << " " << frame.right;
        const int pairCentre =
            (RectInParent(dialog.okButton).left + RectInParent(dialog.cancelButton).right) / 2;
        RECT client;
        dialog.GetClientRect(&client);
        // The template puts the pair 6.5 units left of the centre.
        EXPECT_NEAR(pairCentre,
                    client.right / 2 - DialogUnitsToPixels(dialog, 0, 0, 13, 0).right / 2, 4);
    });
}

// At any DPI and font size: the picture keeps its place in the template and
// fills it.
TEST_F(PlayerView, ThePictureFillsItsPlaceInTheTemplate) {
    Open("");
    RunDialog(dialog, [&] {
        const kvn::DialogTemplate* tmpl =
            kvn::FindDialogTemplate(static_cast<int>(dialog.GetTemplateId()));
        ASSERT_NE(tmpl, nullptr);
        const auto row = std::find_if(tmpl->controls.begin(), tmpl->controls.end(),
                                      [](auto& c) { return c.kind == kvn::ControlKind::Picture; });
        const auto controls = ShownControls(dialog);
        const auto shown = std::find_if(controls.begin(), controls.end(),
                                        [](const ShownControl& c) { return c.imageWidth > 0; });
        ASSERT_TRUE(row != tmpl->controls.end() && shown != controls.end());
        const RECT place = DialogUnitsToPixels(dialog, row->x, row->y, row->w, row->h);
        EXPECT_NEAR(shown->rect.right - shown->rect.left, place.right - place.left, 1);
        EXPECT_NEAR(shown->rect.bottom - shown->rect.top, place.bottom - place.top, 1);
        EXPECT_NEAR(shown->imageWidth, shown->roomWidth, 2);
        EXPECT_NEAR(shown->imageHeight, shown->roomHeight, 2);
    });
}

TEST(AboutBox, MatchesItsTemplateAndSaysWhatIsTrue) {
    TempPrefix prefix;
    CAboutBox about;
    RunDialog(about, [&] {
        RECT client;
        about.GetClientRect(&client);
        EXPECT_EQ(client.right, DialogUnitsToPixels(about, 0, 0, 217, 0).right);
        const RECT ok = RectInParent(*about.GetDlgItem(IDOK));
        EXPECT_EQ(ok.right - ok.left, DialogUnitsToPixels(about, 0, 0, 32, 0).right);
        bool saysNative = false;
        for (const ShownControl& c : ShownControls(about)) {
            if (c.kind == ShownControl::kText) {
                saysNative = saysNative || c.text.find("natively") != std::string::npos;
            } else if (c.id != IDOK) {
                RECT icon = DialogUnitsToPixels(about, 11, 17, 20, 20);
#ifdef _WIN32
                // The platform's icon control takes the size of its icon.
                icon.right = icon.left + GetSystemMetrics(SM_CXICON);
                icon.bottom = icon.top + GetSystemMetrics(SM_CYICON);
#endif
                EXPECT_TRUE(c.rect.left == icon.left && c.rect.top == icon.top &&
                            c.rect.right == icon.right && c.rect.bottom == icon.bottom)
                    << c.rect.left << "," << c.rect.top << " " << c.rect.right << ","
                    << c.rect.bottom;
            }
        }
        EXPECT_TRUE(saysNative);
    });
}

} // namespace
} // namespace kvn::test
