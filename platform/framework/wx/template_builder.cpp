#include "platform/framework/wx/template_builder.h"

#include <algorithm>
#include <vector>

#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dcclient.h>
#include <wx/image.h>
#include <wx/radiobut.h>
#include <wx/settings.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include "platform/framework/wx/handles.h"
#include "platform/framework/wx/images.h"
#include "platform/framework/wx/picture_ctrl.h"

namespace kvn {

namespace {

wxString Label(const ControlTemplate& c) {
    return FromAnsi(c.text);
}

// Typing accepts digits only; pasted text is not filtered.
void FilterToDigits(wxKeyEvent& event) {
    const int key = event.GetUnicodeKey();
    if (key == WXK_NONE || key < 0x20 || key == WXK_DELETE ||
        (event.GetModifiers() & (wxMOD_CONTROL | wxMOD_ALT)) != 0 || (key >= '0' && key <= '9')) {
        event.Skip();
        return;
    }
    wxBell();
}

// The bitmap scaled to fill `box`: the template's picture frame was drawn
// for the bitmap's pixel size at the platform's base units, so the two differ
// here only by the font's scale (a few percent between the axes at most).
wxBitmap FitBitmap(const wxBitmap& bitmap, wxSize box) {
    if (!bitmap.IsOk() || box.x <= 0 || box.y <= 0 || bitmap.GetSize() == box)
        return bitmap;
    return wxBitmap(bitmap.ConvertToImage().Scale(box.x, box.y, wxIMAGE_QUALITY_BICUBIC));
}

bool HasCaption(ControlKind kind) {
    return kind == ControlKind::PushButton || kind == ControlKind::CheckBox ||
           kind == ControlKind::RadioButton || kind == ControlKind::Text;
}

} // namespace

wxRect BaseUnits::ToPixels(int x0, int y0, int w, int h) const {
    auto mx = [this](int v) { return (v * x + 2) / 4; };
    auto my = [this](int v) { return (v * y + 4) / 8; };
    return wxRect(mx(x0), my(y0), mx(w), my(h));
}

BaseUnits MeasureBaseUnits(wxWindow* dialog) {
    const wxSize size = dialog->ConvertDialogToPixels(wxSize(4, 8));
    return BaseUnits{std::max(1, size.x), std::max(1, size.y)};
}

std::map<int, wxWindow*> BuildControls(wxDialog* dialog, const DialogTemplate& tmpl,
                                       const UpDownCtrl::DeltaHandler& onUpDownDelta) {
    const BaseUnits units = MeasureBaseUnits(dialog);
    std::map<int, wxWindow*> items;
    wxWindow* previous = nullptr;
    wxRect previousRect;
    wxRect used(units.ToPixels(0, 0, tmpl.w, tmpl.h));

    for (const ControlTemplate& c : tmpl.controls) {
        wxRect r = units.ToPixels(c.x, c.y, c.w, c.h);
        const wxWindowID id = c.id < 0 ? wxID_ANY : c.id;
        wxWindow* w = nullptr;
        switch (c.kind) {
        case ControlKind::PushButton: {
            // Exact fit: the widening pass measures the caption, not the
            // toolkit's usual minimum width of a button.
            auto* button =
                new wxButton(dialog, id, Label(c), r.GetPosition(), r.GetSize(), wxBU_EXACTFIT);
            if (c.styles & kDefaultButton)
                button->SetDefault();
            w = button;
            break;
        }
        case ControlKind::CheckBox:
            w = new wxCheckBox(dialog, id, Label(c), r.GetPosition(), r.GetSize());
            break;
        case ControlKind::RadioButton:
            w = new wxRadioButton(dialog, id, Label(c), r.GetPosition(), r.GetSize(),
                                  (c.styles & kGroup) ? wxRB_GROUP : 0);
            break;
        case ControlKind::GroupBox:
            w = new wxStaticBox(dialog, id, Label(c), r.GetPosition(), r.GetSize());
            break;
        case ControlKind::Edit: {
            auto* edit = new wxTextCtrl(dialog, id, Label(c), r.GetPosition(), r.GetSize());
            if (c.styles & kDigitsOnly)
                edit->Bind(wxEVT_CHAR, &FilterToDigits);
            w = edit;
            break;
        }
        case ControlKind::UpDown: {
            auto* buddy = (c.styles & kAutoBuddy) ? dynamic_cast<wxTextCtrl*>(previous) : nullptr;
            if (buddy && (c.styles & kAlignRight)) {
                // Sits at the buddy's right edge; the buddy gives up the width.
                const int width = std::min(r.width, previousRect.width / 2);
                previousRect.width -= width;
                buddy->SetSize(previousRect);
                r = wxRect(previousRect.GetRight() + 1, previousRect.y, width, previousRect.height);
            }
            auto* spin =
                new UpDownCtrl(dialog, id, r.GetPosition(), r.GetSize(), c.styles, onUpDownDelta);
            spin->SetBuddy(buddy);
            w = spin;
            break;
        }
        case ControlKind::Picture: {
            const bool sunken = (c.styles & kSunken) != 0;
            const int edge = sunken ? 1 : 0;
            const wxBitmap bitmap = FitBitmap(LoadResourceBitmap(c.resource, wxSize(100, 159)),
                                              wxSize(r.width - 2 * edge, r.height - 2 * edge));
            w = new PictureCtrl(dialog, id, r, bitmap, sunken, ResourceDescription(c.resource));
            break;
        }
        case ControlKind::Icon: {
            // Scaled into its rectangle, as the platform draws an icon control.
            const wxBitmap icon =
                FitBitmap(LoadResourceBitmap(c.resource, wxSize(32, 32)),
                          wxSize(std::min(r.width, r.height), std::min(r.width, r.height)));
            w = new wxStaticBitmap(dialog, id, icon, r.GetPosition(), r.GetSize());
            break;
        }
        case ControlKind::Text:
            w = new wxStaticText(dialog, id, Label(c), r.GetPosition(), r.GetSize(),
                                 wxST_NO_AUTORESIZE);
            break;
        }

        // Nothing is squashed: a control whose natural height does not fit
        // grows, keeping its vertical centre. Widths follow the captions,
        // which may still change before the dialog is shown (FitToCaptions).
        const wxSize best = w->GetBestSize();
        if (HasCaption(c.kind) || c.kind == ControlKind::Edit) {
            if (best.y > r.height) {
                r.y -= (best.y - r.height) / 2;
                r.height = best.y;
            }
            w->SetSize(r);
        }
        if (c.id >= 0)
            items[c.id] = w;
        used.Union(wxRect(r.GetPosition(), r.GetSize() + units.ToPixels(0, 0, 7, 7).GetSize()));
        previous = w;
        previousRect = r;
    }
    dialog->SetClientSize(used.GetRight() + 1, used.GetBottom() + 1);
    return items;
}

} // namespace kvn
