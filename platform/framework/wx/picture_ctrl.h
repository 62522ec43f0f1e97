// A static picture of a dialog template.
#pragma once

#include <wx/bitmap.h>
#include <wx/control.h>

namespace kvn {

// The bitmap scaled into the rectangle, inside a sunken edge when the
// template asks for one.
class PictureCtrl : public wxControl {
  public:
    // An image to screen readers, described by `description`.
    PictureCtrl(wxWindow* parent, int id, const wxRect& rect, const wxBitmap& bitmap, bool sunken,
                const wxString& description);
    const wxBitmap& GetBitmap() const { return bitmap_; }
    bool AcceptsFocus() const override { return false; }

  private:
    void OnPaint(wxPaintEvent& event);

    wxBitmap bitmap_;
    bool sunken_;
};

} // namespace kvn
