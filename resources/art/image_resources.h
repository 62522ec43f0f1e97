// The program's images, bound into the binary as PNG bytes and addressed by
// resource number: 128 is the application icon (32 x 32, 16 colours), 136 the
// picture at the left of the graphics dialog (100 x 159, 24 bits per pixel).
#pragma once

#include <span>

#include "platform/framework/resource_registry.h"

using kvn::ImageResource;

// All of them, for the framework's registry.
std::span<const ImageResource> ImageResources();
const ImageResource* FindImageResource(int id); // nullptr for an unknown id
