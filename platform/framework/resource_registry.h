// The program's dialog templates and images. The program hands them to the
// framework at start-up; the framework holds none of its own.
#pragma once

#include <cstddef>
#include <span>

#include "platform/framework/dialog_template.h"

namespace kvn {

// An image bound into the program: PNG bytes, addressed by resource number.
struct ImageResource {
    int id;
    const unsigned char* png;
    std::size_t size;
    const char* description; // what it shows, for screen readers
};

// Each call replaces the set registered before. The tables must live as long
// as the program (static data).
void RegisterDialogTemplates(std::span<const DialogTemplate> templates);
void RegisterImages(std::span<const ImageResource> images);

// The registered template or image with that number, or nullptr.
const DialogTemplate* FindDialogTemplate(int id);
const ImageResource* FindImage(int id);

} // namespace kvn
