// What screen readers and the toolkit's label drawing get from our controls:
// names, roles, the up-down control's value and range, and captions shortened
// with an ellipsis.
#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <string>

#include <gtk/gtk-a11y.h>
#include <gtk/gtk.h>

#include "platform/framework/wx/gtk_widget.h"
#include "platform/framework/wx/updown_ctrl.h"

namespace kvn {

namespace {

constexpr char kOwnAccessible[] = "kvn-own-accessible";
constexpr char kUpDownControl[] = "kvn-updown";
constexpr char kMnemonicHandler[] = "kvn-mnemonic-handler";
// The program's own tooltip text (UTF-8), on the control's widget.
constexpr char kOwnToolTip[] = "kvn-own-tooltip";

// The up-down control's accessible: a spin button whose value and range are
// the control's own.
UpDownCtrl* UpDownOf(AtkValue* value) {
    GtkWidget* widget = gtk_accessible_get_widget(GTK_ACCESSIBLE(value));
    return widget ? static_cast<UpDownCtrl*>(g_object_get_data(G_OBJECT(widget), kUpDownControl))
                  : nullptr;
}

int Lowest(const UpDownCtrl& c) {
    return std::min(c.GetRange().lower, c.GetRange().upper);
}

int Highest(const UpDownCtrl& c) {
    return std::max(c.GetRange().lower, c.GetRange().upper);
}

void SetDouble(GValue* out, double v) {
    memset(out, 0, sizeof(*out));
    g_value_init(out, G_TYPE_DOUBLE);
    g_value_set_double(out, v);
}

void CurrentValue(AtkValue* obj, GValue* out) {
    const UpDownCtrl* c = UpDownOf(obj);
    SetDouble(out, c ? c->GetShownPosition() : 0);
}

void MinimumValue(AtkValue* obj, GValue* out) {
    const UpDownCtrl* c = UpDownOf(obj);
    SetDouble(out, c ? Lowest(*c) : 0);
}

void MaximumValue(AtkValue* obj, GValue* out) {
    const UpDownCtrl* c = UpDownOf(obj);
    SetDouble(out, c ? Highest(*c) : 0);
}

void MinimumIncrement(AtkValue*, GValue* out) {
    SetDouble(out, 1);
}

void ValueAndText(AtkValue* obj, gdouble* value, gchar** text) {
    const UpDownCtrl* c = UpDownOf(obj);
    *value = c ? c->GetShownPosition() : 0;
    if (text != nullptr)
        *text = g_strdup_printf("%d", static_cast<int>(*value));
}

AtkRange* Range(AtkValue* obj) {
    const UpDownCtrl* c = UpDownOf(obj);
    return c ? atk_range_new(Lowest(*c), Highest(*c), nullptr) : nullptr;
}

void InitValue(gpointer iface, gpointer) {
    auto* value = static_cast<AtkValueIface*>(iface);
    value->get_current_value = CurrentValue;
    value->get_minimum_value = MinimumValue;
    value->get_maximum_value = MaximumValue;
    value->get_minimum_increment = MinimumIncrement;
    value->get_value_and_text = ValueAndText;
    value->get_range = Range;
}

GType SpinAccessibleType() {
    static GType type = 0;
    if (type == 0) {
        GTypeQuery parent;
        g_type_query(GTK_TYPE_WIDGET_ACCESSIBLE, &parent);
        GTypeInfo info{};
        info.class_size = static_cast<guint16>(parent.class_size);
        info.instance_size = static_cast<guint16>(parent.instance_size);
        type = g_type_register_static(GTK_TYPE_WIDGET_ACCESSIBLE, "KvnSpinAccessible", &info,
                                      GTypeFlags(0));
        const GInterfaceInfo value{InitValue, nullptr, nullptr};
        g_type_add_interface_static(type, ATK_TYPE_VALUE, &value);
    }
    return type;
}

// The toolkit asks a widget's class for its accessible; widgets carrying one
// of ours answer with it, the rest as before.
std::map<GType, AtkObject* (*)(GtkWidget*)>& OriginalGetters() {
    static std::map<GType, AtkObject* (*)(GtkWidget*)> getters;
    return getters;
}

AtkObject* GetAccessible(GtkWidget* widget) {
    if (auto* own = static_cast<AtkObject*>(g_object_get_data(G_OBJECT(widget), kOwnAccessible)))
        return own;
    for (GType t = G_OBJECT_TYPE(widget); t != 0; t = g_type_parent(t)) {
        auto it = OriginalGetters().find(t);
        if (it != OriginalGetters().end())
            return it->second(widget);
    }
    return nullptr;
}

void UseOwnAccessible(GtkWidget* widget, AtkObject* accessible) {
    const GType type = G_OBJECT_TYPE(widget);
    if (!OriginalGetters().contains(type)) {
        auto* klass = GTK_WIDGET_GET_CLASS(widget);
        OriginalGetters()[type] = klass->get_accessible;
        klass->get_accessible = GetAccessible;
    }
    g_object_set_data_full(G_OBJECT(widget), kOwnAccessible, accessible, g_object_unref);
}

GtkWidget* Handle(wxWindow* window) {
    return static_cast<GtkWidget*>(window->GetHandle());
}

// The label that shows a control's caption, or nullptr.
GtkLabel* CaptionLabel(wxWindow* control) {
    GtkWidget* widget = Handle(control);
    if (widget == nullptr)
        return nullptr;
    if (GTK_IS_FRAME(widget))
        widget = gtk_frame_get_label_widget(GTK_FRAME(widget));
    else if (GTK_IS_BIN(widget))
        widget = gtk_bin_get_child(GTK_BIN(widget));
    return widget != nullptr && GTK_IS_LABEL(widget) ? GTK_LABEL(widget) : nullptr;
}

gboolean OnMnemonic(GtkWidget*, gboolean, gpointer action) {
    (*static_cast<std::function<void()>*>(action))();
    return TRUE;
}

void DeleteAction(gpointer action, GClosure*) {
    delete static_cast<std::function<void()>*>(action);
}

void OnNotify(GObject*, GParamSpec*, gpointer action) {
    (*static_cast<std::function<void()>*>(action))();
}

} // namespace

void MakeSpinButtonAccessible(UpDownCtrl* control) {
    GtkWidget* widget = Handle(control);
    g_object_set_data(G_OBJECT(widget), kUpDownControl, control);
    AtkObject* accessible =
        ATK_OBJECT(g_object_new(SpinAccessibleType(), "widget", widget, nullptr));
    atk_object_initialize(accessible, widget);
    atk_object_set_role(accessible, ATK_ROLE_SPIN_BUTTON);
    UseOwnAccessible(widget, accessible);
}

void ForgetSpinButtonAccessible(UpDownCtrl* control) {
    g_object_set_data(G_OBJECT(Handle(control)), kUpDownControl, nullptr);
}

void NotifyValueChanged(wxWindow* control) {
    GtkWidget* widget = Handle(control);
    if (auto* own = static_cast<AtkObject*>(g_object_get_data(G_OBJECT(widget), kOwnAccessible)))
        g_object_notify(G_OBJECT(own), "accessible-value");
}

void SetAccessibleName(wxWindow* control, const wxString& name) {
    atk_object_set_name(gtk_widget_get_accessible(Handle(control)), name.utf8_str());
}

wxString AccessibleName(wxWindow* control) {
    return wxString::FromUTF8(atk_object_get_name(gtk_widget_get_accessible(Handle(control))));
}

bool IsFocusWidget(wxWindow* control) {
    GtkWidget* widget = Handle(control);
    GtkWidget* top = gtk_widget_get_toplevel(widget);
    return wxWindow::FindFocus() == control ||
           (GTK_IS_WINDOW(top) && gtk_window_get_focus(GTK_WINDOW(top)) == widget);
}

void MakeImageAccessible(wxWindow* control, const wxString& description) {
    AtkObject* accessible = gtk_widget_get_accessible(Handle(control));
    atk_object_set_role(accessible, ATK_ROLE_IMAGE);
    atk_object_set_name(accessible, description.utf8_str());
}

unsigned long WatchProperty(wxWindow* control, const char* property,
                            std::function<void()> changed) {
    const std::string signal = std::string("notify::") + property;
    return g_signal_connect_data(Handle(control), signal.c_str(), G_CALLBACK(OnNotify),
                                 new std::function<void()>(std::move(changed)), DeleteAction,
                                 GConnectFlags(0));
}

void Unwatch(wxWindow* control, unsigned long watch) {
    g_signal_handler_disconnect(Handle(control), watch);
}

void RefuseKeyboardFocus(wxWindow* control) {
    gtk_widget_set_can_focus(Handle(control), FALSE);
}

// The whole caption while it is shown shortened, then the program's own text.
void ShowToolTip(wxWindow* control, bool shortened) {
    wxString tip = shortened ? wxControl::RemoveMnemonics(control->GetLabel()) : wxString();
    if (const auto* own =
            static_cast<const char*>(g_object_get_data(G_OBJECT(Handle(control)), kOwnToolTip)))
        tip += (tip.empty() ? "" : "\n") + wxString::FromUTF8(own);
    control->SetToolTip(tip);
}

void ShortenCaption(wxWindow* control, bool shorten) {
    if (GtkLabel* label = CaptionLabel(control))
        gtk_label_set_ellipsize(label, shorten ? PANGO_ELLIPSIZE_END : PANGO_ELLIPSIZE_NONE);
    ShowToolTip(control, shorten);
}

void SetOwnToolTip(wxWindow* control, const wxString& text) {
    g_object_set_data_full(G_OBJECT(Handle(control)), kOwnToolTip,
                           text.empty() ? nullptr : g_strdup(text.utf8_str()), g_free);
    GtkLabel* label = CaptionLabel(control);
    ShowToolTip(control,
                label != nullptr && gtk_label_get_ellipsize(label) != PANGO_ELLIPSIZE_NONE);
}

void OnCaptionMnemonic(wxWindow* control, std::function<void()> action) {
    GtkLabel* label = CaptionLabel(control);
    if (label == nullptr)
        return;
    // One handler per label, however often the dialog is prepared.
    if (const guint old = GPOINTER_TO_UINT(g_object_get_data(G_OBJECT(label), kMnemonicHandler)))
        g_signal_handler_disconnect(label, old);
    const gulong id = g_signal_connect_data(label, "mnemonic-activate", G_CALLBACK(OnMnemonic),
                                            new std::function<void()>(std::move(action)),
                                            DeleteAction, GConnectFlags(0));
    g_object_set_data(G_OBJECT(label), kMnemonicHandler, GUINT_TO_POINTER(static_cast<guint>(id)));
}

} // namespace kvn
