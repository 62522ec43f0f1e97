#include "resources/art/image_resources.h"

#include "resources/resource_ids.h"

// Defined by the sources generated from the PNG files at build time.
extern const unsigned char kIconPng[];
extern const std::size_t kIconPngSize;
extern const unsigned char kPicturePng[];
extern const std::size_t kPicturePngSize;

std::span<const ImageResource> ImageResources() {
    static const ImageResource resources[] = {
        {IDR_MAINFRAME, kIconPng, kIconPngSize, "KVNConfig icon"},
        {IDB_PICTURE, kPicturePng, kPicturePngSize, "A sun setting over a glowing grid"},
    };
    return resources;
}
