#include "platform/framework/picture_fit.h"

#include <cstdlib>

namespace kvn {

PictureCrop CropToFill(PictureSize natural, PictureSize place) {
    if (natural.w <= 0 || natural.h <= 0 || place.w <= 0 || place.h <= 0)
        return {0, 0, natural.w, natural.h};
    // Cross-multiplied: the place is wider than the picture when
    // place.w / place.h > natural.w / natural.h.
    const long long placeWide = static_cast<long long>(place.w) * natural.h;
    const long long pictureWide = static_cast<long long>(natural.w) * place.h;
    if (placeWide > pictureWide) {
        // Full width; as much height as the place's proportions allow.
        const int h = static_cast<int>(static_cast<long long>(natural.w) * place.h / place.w);
        return {0, (natural.h - h) / 2, natural.w, h};
    }
    const int w = static_cast<int>(static_cast<long long>(natural.h) * place.w / place.h);
    return {(natural.w - w) / 2, 0, w, natural.h};
}

bool ShowsAsDrawn(PictureSize natural, PictureSize place) {
    return std::abs(place.w - natural.w) <= 2 && std::abs(place.h - natural.h) <= 2;
}

} // namespace kvn
