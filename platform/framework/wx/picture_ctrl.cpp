#include "platform/framework/wx/picture_ctrl.h"

#include <wx/dcclient.h>
#include <wx/settings.h>

#include "platform/framework/picture_fit.h"
#include "platform/framework/wx/gtk_widget.h"

namespace kvn {

PictureCtrl::PictureCtrl(wxWindow* parent, int id, const wxRect& rect, const wxBitmap& bitmap,
                         bool sunken, const wxString& description)
    : wxControl(parent, id, rect.GetPosition(), rect.GetSize(), wxBORDER_NONE), bitmap_(bitmap),
      sunken_(sunken) {
    Bind(wxEVT_PAINT, &PictureCtrl::OnPaint, this);
    RefuseKeyboardFocus(this);
    MakeImageAccessible(this, description);
}

const wxBitmap& PictureCtrl::Shown(wxSize inner) const {
    const PictureSize natural{bitmap_.GetWidth(), bitmap_.GetHeight()};
    const PictureSize place{inner.x, inner.y};
    if (!bitmap_.IsOk() || inner.x <= 0 || inner.y <= 0 || ShowsAsDrawn(natural, place))
        return bitmap_;
    if (!scaled_.IsOk() || scaled_.GetSize() != inner) {
        const PictureCrop crop = CropToFill(natural, place);
        const wxImage part =
            bitmap_.ConvertToImage().GetSubImage(wxRect(crop.x, crop.y, crop.w, crop.h));
        scaled_ = wxBitmap(part.Scale(inner.x, inner.y, wxIMAGE_QUALITY_HIGH));
    }
    return scaled_;
}

wxSize PictureCtrl::GetShownSize() const {
    const int edge = sunken_ ? 1 : 0;
    const wxSize size = GetClientSize();
    const wxSize inner(size.x - 2 * edge, size.y - 2 * edge);
    return Shown(inner).GetSize();
}

void PictureCtrl::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    const wxSize size = GetClientSize();
    const int edge = sunken_ ? 1 : 0;
    if (bitmap_.IsOk()) {
        const wxSize inner(size.x - 2 * edge, size.y - 2 * edge);
        const wxBitmap& shown = Shown(inner);
        dc.DrawBitmap(shown, edge + (inner.x - shown.GetWidth()) / 2,
                      edge + (inner.y - shown.GetHeight()) / 2);
    }
    if (sunken_) {
        // The classic sunken edge: shadow above and left, light below and right.
        dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW)));
        dc.DrawLine(0, 0, size.x - 1, 0);
        dc.DrawLine(0, 0, 0, size.y - 1);
        dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNHIGHLIGHT)));
        dc.DrawLine(0, size.y - 1, size.x, size.y - 1);
        dc.DrawLine(size.x - 1, 0, size.x - 1, size.y);
    }
}

} // namespace kvn
