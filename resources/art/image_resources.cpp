#include "resources/art/image_resources.h"

// Defined by the sources generated from the PNG files at build time.
extern const unsigned char kIconPng[];
extern const std::size_t kIconPngSize;
extern const unsigned char kPicturePng[];
extern const std::size_t kPicturePngSize;

const ImageResource* FindImageResource(int id) {
    static const ImageResource resources[] = {
        {128, kIconPng, kIconPngSize, "KVNConfig icon"},
        {136, kPicturePng, kPicturePngSize, "A sun setting over a glowing grid"},
    };
    for (const ImageResource& resource : resources) {
        if (resource.id == id) {
            return &resource;
        }
    }
    return nullptr;
}
