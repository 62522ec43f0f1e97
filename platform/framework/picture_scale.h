// Smooth scaling of a picture's pixels, free of widget code.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/framework/picture_fit.h"

namespace kvn {

// Pixels of 4 bytes, one per channel, row after row from the top; `stride`
// bytes from the start of one row to the start of the next.
template <typename Byte> struct PixelRows {
    Byte* top = nullptr;
    std::ptrdiff_t stride = 0;
};

// Fills `to`, of `size`, with the part `crop` of `from`, scaled smoothly:
// each pixel is a weighted mean of the source pixels nearest its centre
// (linear between neighbours when enlarging; over all the pixels it covers
// when shrinking). Each channel is scaled alike. `crop` must lie within
// `from`; nothing is written for an empty size or crop.
void ScalePixels(PixelRows<const std::uint8_t> from, PictureCrop crop, PixelRows<std::uint8_t> to,
                 PictureSize size);

} // namespace kvn
