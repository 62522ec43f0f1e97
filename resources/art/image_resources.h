// The program's images, bound into the binary as PNG bytes and addressed by
// resource number (resources/resource_ids.h): IDR_MAINFRAME is the application
// icon (32 x 32, 16 colours), IDB_PICTURE the picture at the left of the
// graphics dialog (100 x 159, 24 bits per pixel).
#pragma once

#include <span>

#include "platform/framework/resource_registry.h"

using kvn::ImageResource;

// All of them, for the framework's registry (kvn::RegisterImages), where
// kvn::FindImage finds each by its number.
std::span<const ImageResource> ImageResources();
