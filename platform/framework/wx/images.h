// The program's icons and bitmaps as wx images, by resource number.
#pragma once

#include <wx/bitmap.h>
#include <wx/string.h>

#include "platform/framework/wx/handles.h"

namespace kvn {

// Bitmap or icon `id` of the registered images; for an unknown id, a plain
// placeholder of `fallbackSize`.
wxBitmap LoadResourceBitmap(int id, wxSize fallbackSize);
HICON LoadResourceIcon(int id);
// What the image `id` shows, in a few words; empty for an unknown id.
wxString ResourceDescription(int id);

} // namespace kvn
