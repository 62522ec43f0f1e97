// What GTK alone shows and tells of the dialog: drawn pixels, the screen
// reader's view of each control (the toolkit's accessibility objects). The
// win32 backend leaves these to the platform's controls.
#include <algorithm>
#include <string>

#include <atk/atk.h>
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include "platform/framework/wx/handles.h"
#include "tests/gui/player_view_fixture.h"

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

wxWindow* W(CWnd& control) {
    return kvn::WxWindow(control);
}

TEST_F(PlayerView, ArrowsShowAndReportTheStateOfTheBoxAfterEachAgpChoice) {
    Open("MaxRAMForAGP=AUTO\r\n");
    RunDialog(dialog, [&] {
        wxWindow* spin = W(dialog.memorySpin);
        for (CButton* choice :
             {&dialog.agpSpecifyRadio, &dialog.agpAutoRadio, &dialog.agpSpecifyRadio}) {
            Click(*choice);
            const bool on = choice == &dialog.agpSpecifyRadio;
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

} // namespace
} // namespace kvn::test
