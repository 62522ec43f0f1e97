// The dialog as the player sees and hears it: drawn pixels, the screen
// reader's view of each control (the toolkit's accessibility objects), the
// focus, and where the dialog lies on the screen.
#include <algorithm>
#include <string>

#include <atk/atk.h>
#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <wx/display.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>

#include "dialog/about_box.h"
#include "platform/framework/wx/handles.h"
#include "tests/gui/dialog_driver.h"
#include "tests/gui/settings_files.h"
#include "tests/support/profile_value.h"
#include "tests/support/temp_dir.h"

namespace kvn::test {
namespace {

AtkObject* Accessible(wxWindow* w) {
    return gtk_widget_get_accessible(static_cast<GtkWidget*>(w->GetHandle()));
}

bool HasState(wxWindow* w, AtkStateType state) {
    AtkStateSet* set = atk_object_ref_state_set(Accessible(w));
    const bool has = atk_state_set_contains_state(set, state);
    g_object_unref(set);
    return has;
}

std::string Name(wxWindow* w) {
    const char* name = atk_object_get_name(Accessible(w));
    return name ? name : "";
}

// The darkest grey level drawn on screen inside the window.
int DarkestPixel(wxWindow* w) {
    const wxRect r = w->GetScreenRect();
    GdkPixbuf* shot =
        gdk_pixbuf_get_from_window(gdk_get_default_root_window(), r.x, r.y, r.width, r.height);
    int darkest = 255;
    const int stride = gdk_pixbuf_get_rowstride(shot), channels = gdk_pixbuf_get_n_channels(shot);
    const guchar* pixels = gdk_pixbuf_get_pixels(shot);
    for (int y = 0; y < r.height; ++y)
        for (int x = 0; x < r.width; ++x) {
            const guchar* p = pixels + y * stride + x * channels;
            darkest = std::min(darkest, (p[0] + p[1] + p[2]) / 3);
        }
    g_object_unref(shot);
    return darkest;
}

// A player's setup with a caption file in the current directory.
class PlayerView : public ::testing::Test {
  protected:
    void Open(const std::string& zolt, const std::string& captions = "") {
        WriteFile(prefix.settingsFile(), "[ZOLT]\r\n" + zolt);
        if (!captions.empty())
            WriteFile(dir.path() / "KVNConfig.ini", "[English]\r\n" + captions);
    }
    wxWindow* W(CWnd& control) { return kvn::WxWindow(control); }

    TempPrefix prefix;
    TempDir dir;
    ScopedCurrentDir cwd{dir.path()};
    MessageRecorder messages;
    CGraphicsDlg dialog;
};

TEST_F(PlayerView, ArrowsShowAndReportTheStateOfTheBoxAfterEachAgpChoice) {
    Open("MaxRAMForAGP=AUTO\r\n");
    RunDialog(dialog, [&] {
        wxWindow* spin = W(dialog.memorySpin);
        for (CButton* choice : {&dialog.specifyRadio, &dialog.agpAutoRadio, &dialog.specifyRadio}) {
            Click(*choice);
            const bool on = choice == &dialog.specifyRadio;
            ASSERT_TRUE(WaitUntil([&] { return dialog.memoryEdit.IsWindowEnabled() == on; }));
            Pump(150);
            EXPECT_EQ(HasState(spin, ATK_STATE_ENABLED), on);
            // Dark arrows when they act, grey ones when they do not.
            EXPECT_EQ(DarkestPixel(spin) < 100, on) << DarkestPixel(spin);
        }
        dialog.memoryEdit.SetWindowText("42");
        ClickSpinArrow(dialog.memorySpin, true);
        gdouble value = 0;
        atk_value_get_value_and_text(ATK_VALUE(Accessible(spin)), &value, nullptr);
        EXPECT_EQ(value, 43);
    });
}

TEST_F(PlayerView, EveryControlAPlayerCanReachHasARoleAndAName) {
    Open("MaxRAMForAGP=64\r\n", "SPECIFY=Spe&cify (MB)\r\n");
    RunDialog(dialog, [&] {
        for (wxWindow* w : W(dialog)->GetChildren()) {
            const bool reachable =
                gtk_widget_get_can_focus(static_cast<GtkWidget*>(w->GetHandle()));
            const AtkRole role = atk_object_get_role(Accessible(w));
            if (!reachable)
                continue;
            EXPECT_FALSE(Name(w).empty()) << atk_role_get_name(role);
            EXPECT_TRUE(role == ATK_ROLE_PUSH_BUTTON || role == ATK_ROLE_CHECK_BOX ||
                        role == ATK_ROLE_RADIO_BUTTON || role == ATK_ROLE_TEXT)
                << atk_role_get_name(role) << " " << Name(w);
        }
        EXPECT_EQ(Name(W(dialog.memoryEdit)), "Specify (MB)");
        wxWindow* spin = W(dialog.memorySpin);
        EXPECT_EQ(atk_object_get_role(Accessible(spin)), ATK_ROLE_SPIN_BUTTON);
        EXPECT_EQ(Name(spin), "Specify (MB)");
        AtkRange* range = atk_value_get_range(ATK_VALUE(Accessible(spin)));
        ASSERT_NE(range, nullptr);
        EXPECT_EQ(atk_range_get_lower_limit(range), 0);
        EXPECT_EQ(atk_range_get_upper_limit(range), 128);
        atk_range_free(range);
        int images = 0;
        for (wxWindow* w : W(dialog)->GetChildren())
            if (atk_object_get_role(Accessible(w)) == ATK_ROLE_IMAGE && !Name(w).empty())
                ++images;
        EXPECT_EQ(images, 1);
    });
}

TEST_F(PlayerView, AfterAFailedExchangeTheFocusIsOnTheChoiceThatEnablesTheBox) {
    Open("MaxRAMForAGP=64\r\n");
    RunDialog(dialog, [&] {
        dialog.memoryEdit.SetWindowText("500");
        Click(dialog.agpAutoRadio);
        ASSERT_TRUE(WaitUntil([&] { return messages.texts().size() == 1; }));
        EXPECT_TRUE(WaitUntil([&] { return dialog.specifyRadio.HasFocus(); }));
        EXPECT_FALSE(dialog.memoryEdit.IsWindowEnabled());

        Click(dialog.okButton);
        ASSERT_TRUE(WaitUntil([&] { return messages.texts().size() == 2; }));
        EXPECT_TRUE(WaitUntil([&] { return dialog.specifyRadio.HasFocus(); }));
        // From there the player mends the figure.
        PressKey(WXK_SPACE);
        ASSERT_TRUE(WaitUntil([&] { return dialog.memoryEdit.IsWindowEnabled(); }));
    });
}

TEST_F(PlayerView, GroupMnemonicMovesTheFocusAndChangesNothing) {
    Open("MipMapping=OFF\r\n", "MMAP=&Mipmapping\r\n");
    RunDialog(dialog, [&] {
        PressKey('m', wxMOD_ALT);
        EXPECT_TRUE(WaitUntil([&] { return dialog.offRadio.HasFocus(); }));
        EXPECT_EQ(dialog.offRadio.GetCheck(), 1);
        // The arrow keys wrap round inside the group.
        PressKey(WXK_DOWN);
        PressKey(WXK_DOWN);
        EXPECT_TRUE(WaitUntil([&] { return dialog.onRadio.GetCheck() == 1; }));
        PressKey(WXK_UP);
        EXPECT_TRUE(WaitUntil([&] { return dialog.mipAutoRadio.HasFocus(); }));
        EXPECT_EQ(dialog.mipAutoRadio.GetCheck(), 1);
        Click(dialog.okButton);
    });
    EXPECT_EQ(ProfileValue(prefix.settingsFile().string(), "ZOLT", "MipMapping"), "AUTO");
}

TEST_F(PlayerView, LongestCaptionsFitTheScreenShortenedWithTheirWholeText) {
    const std::string keys[] = {"GRAPHICSTITLE", "OK",      "CANCEL",   "GRAPHICSQUALITY",
                                "MMAP",          "AGP",     "ON",       "OFF",
                                "AUTO",          "SPECIFY", "DRVPICKER"};
    std::string captions;
    for (const std::string& key : keys)
        captions += key + "=" + std::string(99 - key.size(), 'W').insert(0, key) + "\r\n";
    Open("", captions);
    RunDialog(dialog, [&] {
        const wxRect area = wxDisplay(0u).GetClientArea();
        EXPECT_TRUE(area.Contains(W(dialog)->GetScreenRect())) << W(dialog)->GetScreenRect().x;
        wxWindow* ok = W(dialog.okButton);
        wxWindow* cancel = W(dialog.cancelButton);
        const int pairCentre = (ok->GetRect().GetLeft() + cancel->GetRect().GetRight()) / 2;
        // The template puts the pair 6.5 units left of the centre.
        EXPECT_NEAR(pairCentre,
                    W(dialog)->GetClientSize().x / 2 -
                        W(dialog)->ConvertDialogToPixels(wxSize(13, 0)).x / 2,
                    4);
        const std::string okText = "OK" + std::string(97, 'W');
        EXPECT_EQ(ok->GetToolTipText().utf8_string(), okText);
        EXPECT_EQ(Name(ok), okText);
    });
}

TEST(AboutBox, MatchesItsTemplateAndSaysWhatIsTrue) {
    TempPrefix prefix;
    CAboutBox about;
    RunDialog(about, [&] {
        wxWindow* box = kvn::WxWindow(about);
        auto units = [&](int x, int y) { return box->ConvertDialogToPixels(wxSize(x, y)); };
        EXPECT_EQ(box->GetClientSize().x, units(217, 0).x);
        EXPECT_EQ(kvn::WxWindow(about.GetDlgItem(IDOK))->GetSize().x, units(32, 0).x);
        bool saysNative = false;
        for (wxWindow* w : box->GetChildren()) {
            if (auto* text = dynamic_cast<wxStaticText*>(w)) {
                saysNative = saysNative || text->GetLabel().Contains("natively");
            } else if (w->GetId() != IDOK) {
                EXPECT_EQ(w->GetRect(),
                          wxRect(box->ConvertDialogToPixels(wxPoint(11, 17)), units(20, 20)));
            }
        }
        EXPECT_TRUE(saysNative);
    });
}

} // namespace
} // namespace kvn::test
