#include "tests/gui/shown_text.h"

#include <gtk/gtk.h>
#include <wx/window.h>

namespace kvn::test {

namespace {

// The label a button, check box, radio button, group box or static text
// draws its caption with.
GtkLabel* FindLabel(GtkWidget* widget) {
    if (widget == nullptr)
        return nullptr;
    if (GTK_IS_LABEL(widget))
        return GTK_LABEL(widget);
    if (GTK_IS_FRAME(widget))
        return FindLabel(gtk_frame_get_label_widget(GTK_FRAME(widget)));
    GtkLabel* found = nullptr;
    if (GTK_IS_CONTAINER(widget)) {
        GList* children = gtk_container_get_children(GTK_CONTAINER(widget));
        for (GList* child = children; child != nullptr && found == nullptr; child = child->next)
            found = FindLabel(GTK_WIDGET(child->data));
        g_list_free(children);
    }
    return found;
}

GtkLabel* LabelOf(wxWindow* control) {
    return control ? FindLabel(GTK_WIDGET(control->GetHandle())) : nullptr;
}

} // namespace

std::string ShownText(wxWindow* control) {
    GtkLabel* label = LabelOf(control);
    return label ? gtk_label_get_text(label) : "<no label>";
}

unsigned MnemonicKey(wxWindow* control) {
    GtkLabel* label = LabelOf(control);
    if (label == nullptr)
        return 0;
    const guint key = gtk_label_get_mnemonic_keyval(label);
    return key == GDK_KEY_VoidSymbol ? 0 : gdk_keyval_to_lower(key);
}

} // namespace kvn::test
