// What the player sees on GTK: captions from the toolkit's own labels, sizes
// from the widgets' natural sizes.
#include "tests/gui/player_view.h"

#include <gtk/gtk.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/display.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/toplevel.h>

#include "platform/framework/wx/handles.h"
#include "platform/framework/wx/picture_ctrl.h"

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

GtkLabel* LabelOf(const CWnd& control) {
    wxWindow* w = kvn::WxWindow(control);
    return w ? FindLabel(GTK_WIDGET(w->GetHandle())) : nullptr;
}

ShownControl::Kind KindOf(wxWindow* w) {
    if (dynamic_cast<wxButton*>(w) || dynamic_cast<wxCheckBox*>(w) ||
        dynamic_cast<wxRadioButton*>(w))
        return ShownControl::kButton;
    if (dynamic_cast<wxStaticBox*>(w))
        return ShownControl::kGroupBox;
    if (dynamic_cast<wxStaticText*>(w))
        return ShownControl::kText;
    return dynamic_cast<wxTextCtrl*>(w) ? ShownControl::kEdit : ShownControl::kOther;
}

RECT ToRect(const wxRect& r) {
    return RECT{r.x, r.y, r.x + r.width, r.y + r.height};
}

} // namespace

std::string ShownText(const CWnd& control) {
    GtkLabel* label = LabelOf(control);
    return label ? gtk_label_get_text(label) : "<no label>";
}

unsigned MnemonicKey(const CWnd& control) {
    GtkLabel* label = LabelOf(control);
    if (label == nullptr)
        return 0;
    const guint key = gtk_label_get_mnemonic_keyval(label);
    return key == GDK_KEY_VoidSymbol ? 0 : gdk_keyval_to_lower(key);
}

std::string ToolTipText(const CWnd& control) {
    return kvn::WxWindow(control)->GetToolTipText().utf8_string();
}

std::string AccessibleName(const CWnd& control) {
    const char* name = atk_object_get_name(
        gtk_widget_get_accessible(GTK_WIDGET(kvn::WxWindow(control)->GetHandle())));
    return name ? name : "";
}

std::vector<ShownControl> ShownControls(const CWnd& dialog) {
    std::vector<ShownControl> controls;
    for (wxWindow* w : kvn::WxWindow(dialog)->GetChildren()) {
        if (w->IsTopLevel())
            continue;
        ShownControl c;
        c.kind = KindOf(w);
        c.window = kvn::ToNative(w);
        c.id = w->GetId();
        c.rect = ToRect(w->GetRect());
        c.frameWidth = w->GetSize().x - w->GetClientSize().x;
        // The natural size: what the widget needs to show all of its content.
        const wxSize best = w->GetBestSize();
        if (c.kind != ShownControl::kOther && c.kind != ShownControl::kEdit) {
            CWnd wrapper;
            wrapper.Attach(c.window);
            c.text = ShownText(wrapper);
            c.neededWidth = best.x;
        }
        if (c.kind != ShownControl::kOther)
            c.neededHeight = best.y;
        if (auto* picture = dynamic_cast<PictureCtrl*>(w)) {
            const wxSize image = picture->GetShownSize();
            c.imageWidth = image.x;
            c.imageHeight = image.y;
            // The sunken edge is drawn inside the client area.
            c.roomWidth = w->GetClientSize().x - 2;
            c.roomHeight = w->GetClientSize().y - 2;
        }
        controls.push_back(c);
    }
    return controls;
}

RECT RectInParent(const CWnd& control) {
    return ToRect(kvn::WxWindow(control)->GetRect());
}

RECT ScreenRect(const CWnd& dialog) {
    return ToRect(kvn::WxWindow(dialog)->GetScreenRect());
}

RECT WorkArea(const CWnd& dialog) {
    const int index = wxDisplay::GetFromWindow(kvn::WxWindow(dialog));
    return ToRect(
        wxDisplay(index == wxNOT_FOUND ? 0u : static_cast<unsigned>(index)).GetClientArea());
}

RECT DialogUnitsToPixels(const CWnd& dialog, int x, int y, int w, int h) {
    wxWindow* window = kvn::WxWindow(dialog);
    const wxPoint at = window->ConvertDialogToPixels(wxPoint(x, y));
    const wxSize size = window->ConvertDialogToPixels(wxSize(w, h));
    return RECT{at.x, at.y, at.x + size.x, at.y + size.y};
}

std::size_t TopLevelWindowCount() {
    return wxTopLevelWindows.GetCount();
}

} // namespace kvn::test
