// GTK's theme gives buttons and entries more height than a dialog template's
// 14 units; trimming their vertical padding lets them fit without clipping.
#include <gtk/gtk.h>

#include "platform/framework/wx/compact_style.h"

namespace kvn {

void ApplyCompactStyle() {
    static bool applied = false;
    GdkScreen* screen = gdk_screen_get_default();
    if (applied || screen == nullptr)
        return;
    applied = true;
    static const char css[] = "button { min-height: 0; padding-top: 1px; padding-bottom: 1px; }\n"
                              "entry { min-height: 0; padding-top: 1px; padding-bottom: 1px; }\n"
                              // Group box captions sit a little in from the corner.
                              "frame > label { margin-left: 6px; margin-right: 2px; }\n";
    GtkCssProvider* provider = gtk_css_provider_new();
    gtk_css_provider_load_from_data(provider, css, -1, nullptr);
    gtk_style_context_add_provider_for_screen(screen, GTK_STYLE_PROVIDER(provider),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(provider);
}

} // namespace kvn
