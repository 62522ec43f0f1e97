// The registered icons and bitmaps as wx images, addressed by number.
#include <map>
#include <memory>

#include <wx/dcmemory.h>
#include <wx/image.h>
#include <wx/settings.h>

#include "platform/framework/resource_registry.h"
#include "platform/framework/wx/images.h"

namespace kvn {

namespace {

// A plain stand-in for an image the program does not hold.
wxBitmap Placeholder(wxSize size) {
    wxBitmap bitmap(size, 24);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW)));
    dc.Clear();
    dc.SelectObject(wxNullBitmap);
    return bitmap;
}

} // namespace

wxBitmap LoadResourceBitmap(int id, wxSize fallbackSize) {
    if (const ImageResource* image = FindImage(id)) {
        if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr)
            wxImage::AddHandler(new wxPNGHandler);
        wxBitmap bitmap = wxBitmap::NewFromPNGData(image->png, image->size);
        if (bitmap.IsOk())
            return bitmap;
    }
    return Placeholder(fallbackSize);
}

wxString ResourceDescription(int id) {
    const ImageResource* image = FindImage(id);
    return image != nullptr ? wxString::FromUTF8(image->description) : wxString();
}

HICON LoadResourceIcon(int id) {
    // Icons live as long as the process, as the platform's shared icons do.
    static std::map<int, std::unique_ptr<IconHandle>> icons;
    auto& slot = icons[id];
    if (!slot) {
        slot = std::make_unique<IconHandle>();
        slot->icon.CopyFromBitmap(LoadResourceBitmap(id, wxSize(32, 32)));
    }
    return slot.get();
}

} // namespace kvn
