// A static picture of a dialog template.
#pragma once

#include <wx/bitmap.h>
#include <wx/control.h>

namespace kvn {

// The bitmap scaled to fill the rectangle (CropToFill), inside a sunken edge
// when the template asks for one.
class PictureCtrl : public wxControl {
  public:
    // An image to screen readers, described by `description`.
    PictureCtrl(wxWindow* parent, int id, const wxRect& rect, const wxBitmap& bitmap, bool sunken,
                const wxString& description);
    const wxBitmap& GetBitmap() const { return bitmap_; }
    // The size the bitmap is drawn at inside the edge.
    wxSize GetShownSize() const;
    bool AcceptsFocus() const override { return false; }

  private:
    void OnPaint(wxPaintEvent& event);
    // The bitmap as drawn into `inner`, scaled once per size.
    const wxBitmap& Shown(wxSize inner) const;

    wxBitmap bitmap_;
    mutable wxBitmap scaled_;
    bool sunken_;
};

} // namespace kvn
