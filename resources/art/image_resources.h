// The program's images, bound into the binary as PNG bytes and addressed by
// resource number (resources/resource_ids.h): IDR_MAINFRAME is the application
// icon (32 x 32, 16 colours), IDB_PICTURE the picture at the left of the
// graphics dialog (100 x 159, 24 bits per pixel).
#pragma once

#include <cstddef>

struct ImageResource {
    int id;
    const unsigned char* png;
    std::size_t size;
    const char* description; // what it shows, for screen readers
};

const ImageResource* FindImageResource(int id); // nullptr for an unknown id
