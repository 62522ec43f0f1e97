#include "platform/framework/wx/dialog_layout.h"

#include <algorithm>
#include <vector>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/display.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include "platform/framework/widen_layout.h"
#include "platform/framework/wx/gtk_widget.h"

namespace kvn {

namespace {

// The width a control needs to show its whole caption; 0 for controls
// without one.
int CaptionWidth(wxWindow* w) {
    if (dynamic_cast<wxButton*>(w) == nullptr && dynamic_cast<wxCheckBox*>(w) == nullptr &&
        dynamic_cast<wxRadioButton*>(w) == nullptr && dynamic_cast<wxStaticText*>(w) == nullptr &&
        dynamic_cast<wxStaticBox*>(w) == nullptr)
        return 0;
    w->InvalidateBestSize();
    return w->GetBestSize().x;
}

// The work area of the monitor the dialog opens on: its parent's, else the
// first.
wxRect WorkArea(wxWindow* dialog) {
    int index = wxDisplay::GetFromWindow(dialog->GetParent() ? dialog->GetParent() : dialog);
    if (index == wxNOT_FOUND)
        index = 0;
    return wxDisplay(static_cast<unsigned>(index)).GetClientArea();
}

} // namespace

void FitToCaptions(wxDialog* dialog) {
    std::vector<wxWindow*> windows;
    std::vector<LayoutItem> layout;
    for (wxWindow* w : dialog->GetChildren()) {
        if (w->IsTopLevel())
            continue;
        const wxRect r = w->GetRect();
        windows.push_back(w);
        layout.push_back(LayoutItem{r.x, r.y, r.width, r.height, CaptionWidth(w),
                                    dynamic_cast<wxButton*>(w) != nullptr});
    }
    const wxRect area = WorkArea(dialog);
    const int frame = dialog->GetSize().x - dialog->GetClientSize().x;
    const int room = std::max(0, area.width - frame - dialog->GetClientSize().x);
    const int growth = WidenToFit(layout, room);
    for (std::size_t i = 0; i < windows.size(); ++i) {
        const LayoutItem& item = layout[i];
        const wxRect r(item.x, item.y, item.w, item.h);
        if (r != windows[i]->GetRect())
            windows[i]->SetSize(r);
        if (item.neededWidth > 0)
            ShortenCaption(windows[i], item.neededWidth > item.w);
    }
    if (growth > 0) {
        const wxSize client = dialog->GetClientSize();
        dialog->SetClientSize(client.x + growth, client.y);
    }
}

void PlaceOnScreen(wxDialog* dialog) {
    dialog->Centre();
    const wxRect area = WorkArea(dialog);
    const wxRect r = dialog->GetRect();
    const int x = std::max(area.x, std::min(r.x, area.GetRight() + 1 - r.width));
    const int y = std::max(area.y, std::min(r.y, area.GetBottom() + 1 - r.height));
    if (x != r.x || y != r.y)
        dialog->Move(x, y);
}

} // namespace kvn
