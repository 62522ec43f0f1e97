// Keyboard and screen-reader behaviour that a dialog has on the platform the
// program was written for and the toolkit does not give by itself.
#include <algorithm>
#include <vector>

#include <wx/radiobut.h>
#include <wx/statbox.h>

#include "platform/framework/wx/dialog_manager.h"
#include "platform/framework/wx/gtk_widget.h"
#include "platform/framework/wx/updown_ctrl.h"

namespace kvn {

namespace {

bool CanTakeFocus(wxWindow* w) {
    return !w->IsTopLevel() && w->IsShown() && w->IsEnabled() && w->AcceptsFocus() &&
           dynamic_cast<wxStaticBox*>(w) == nullptr;
}

// The enabled buttons of the radio group `radio` belongs to, in z-order: a
// run of radio buttons that starts with a group start.
std::vector<wxRadioButton*> RadioGroup(wxRadioButton* radio) {
    std::vector<wxRadioButton*> group;
    bool found = false;
    for (wxWindow* w : radio->GetParent()->GetChildren()) {
        auto* r = dynamic_cast<wxRadioButton*>(w);
        if (r == nullptr || r->HasFlag(wxRB_GROUP)) {
            if (found)
                break;
            group.clear();
        }
        if (r == nullptr)
            continue;
        found = found || r == radio;
        if (CanTakeFocus(r))
            group.push_back(r);
    }
    return found ? group : std::vector<wxRadioButton*>();
}

// Checks `radio` as a click would, with the click's notification.
void Choose(wxRadioButton* radio) {
    radio->SetFocus();
    if (radio->GetValue())
        return;
    radio->SetValue(true);
    wxCommandEvent click(wxEVT_RADIOBUTTON, radio->GetId());
    click.SetEventObject(radio);
    click.SetInt(1);
    radio->GetEventHandler()->ProcessEvent(click);
}

// The focus for a group box's mnemonic: the first control inside the box
// that can take it, and for a radio group its checked choice.
void FocusGroup(wxStaticBox* box) {
    const wxRect area = box->GetRect();
    for (wxWindow* w : box->GetParent()->GetChildren()) {
        if (w == box || !CanTakeFocus(w) || !area.Contains(w->GetRect()))
            continue;
        if (auto* radio = dynamic_cast<wxRadioButton*>(w)) {
            for (wxRadioButton* choice : RadioGroup(radio))
                if (choice->GetValue())
                    w = choice;
        }
        w->SetFocus();
        return;
    }
}

} // namespace

void BindGroupMnemonics(wxWindow* dialog) {
    for (wxWindow* w : dialog->GetChildren())
        if (auto* box = dynamic_cast<wxStaticBox*>(w))
            OnCaptionMnemonic(box, [box] { FocusGroup(box); });
}

bool WrapRadioGroup(wxWindow* focused, int key) {
    auto* radio = dynamic_cast<wxRadioButton*>(focused);
    const bool forward =
        key == WXK_DOWN || key == WXK_RIGHT || key == WXK_NUMPAD_DOWN || key == WXK_NUMPAD_RIGHT;
    const bool backward =
        key == WXK_UP || key == WXK_LEFT || key == WXK_NUMPAD_UP || key == WXK_NUMPAD_LEFT;
    if (radio == nullptr || (!forward && !backward))
        return false;
    const std::vector<wxRadioButton*> group = RadioGroup(radio);
    if (group.size() < 2 || (forward ? group.back() : group.front()) != radio)
        return false;
    Choose(forward ? group.front() : group.back());
    return true;
}

void HandOnFocus(wxWindow* from) {
    wxWindow* before = nullptr;
    wxWindow* after = nullptr;
    bool passed = false;
    for (wxWindow* w : from->GetParent()->GetChildren()) {
        if (w == from)
            passed = true;
        else if (CanTakeFocus(w) && !passed)
            before = w;
        else if (CanTakeFocus(w) && after == nullptr)
            after = w;
    }
    if (wxWindow* target = before != nullptr ? before : after)
        target->SetFocus();
}

void NameUnlabelledControls(wxWindow* dialog) {
    // As screen readers do on the platform: a control without a caption is
    // named by the caption of the control before it in z-order.
    wxString previous;
    for (wxWindow* w : dialog->GetChildren()) {
        if (auto* updown = dynamic_cast<UpDownCtrl*>(w); updown && updown->GetBuddy())
            SetAccessibleName(updown, AccessibleName(updown->GetBuddy()));
        else if (dynamic_cast<wxTextCtrl*>(w) != nullptr)
            SetAccessibleName(w, previous);
        else if (!w->GetLabel().empty() && dynamic_cast<wxStaticBox*>(w) == nullptr)
            previous = wxControl::RemoveMnemonics(w->GetLabel());
    }
}

} // namespace kvn
