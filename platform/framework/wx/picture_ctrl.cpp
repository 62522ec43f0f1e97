#include "platform/framework/wx/picture_ctrl.h"

#include <wx/dcclient.h>
#include <wx/settings.h>

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

void PictureCtrl::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    const wxSize size = GetClientSize();
    const int edge = sunken_ ? 1 : 0;
    if (bitmap_.IsOk()) {
        const wxSize inner(size.x - 2 * edge, size.y - 2 * edge);
        dc.DrawBitmap(bitmap_, edge + (inner.x - bitmap_.GetWidth()) / 2,
                      edge + (inner.y - bitmap_.GetHeight()) / 2);
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
