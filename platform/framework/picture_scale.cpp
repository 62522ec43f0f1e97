#include "platform/framework/picture_scale.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace kvn {

namespace {

constexpr int kChannels = 4;
// Weights are fixed-point, summing to 1 << kWeightBits for each target
// pixel: integer arithmetic throughout, as fast where floating point is
// emulated (a 32-bit x86 program under qemu) as where it is not.
constexpr int kWeightBits = 12;
// The pass across keeps 4 bits below each channel's 8.
constexpr int kAcrossShift = kWeightBits - 4;

// The source pixels one target pixel is made of, and their weights.
struct Taps {
    int first = 0;
    std::vector<int> weights;
};

// For each of `to` target pixels along one axis, its taps among `from`
// source pixels: a tent filter centred on the target pixel's centre, one
// source pixel wide on each side, or as wide as a target pixel when
// shrinking.
std::vector<Taps> TapsAlong(int from, int to) {
    const double scale = static_cast<double>(from) / to;
    const double radius = std::max(1.0, scale);
    std::vector<Taps> all(static_cast<std::size_t>(to));
    std::vector<double> tent;
    for (int i = 0; i < to; ++i) {
        const double centre = (i + 0.5) * scale - 0.5;
        Taps& taps = all[static_cast<std::size_t>(i)];
        taps.first = static_cast<int>(std::floor(centre - radius)) + 1;
        const int last = static_cast<int>(std::ceil(centre + radius)) - 1;
        tent.clear();
        double sum = 0;
        for (int j = taps.first; j <= last; ++j) {
            tent.push_back(std::max(0.0, 1.0 - std::abs(j - centre) / radius));
            sum += tent.back();
        }
        // Rounded, with what rounding lost or gained given to the largest.
        int total = 0;
        for (double w : tent) {
            taps.weights.push_back(static_cast<int>(std::lround(w / sum * (1 << kWeightBits))));
            total += taps.weights.back();
        }
        *std::max_element(taps.weights.begin(), taps.weights.end()) += (1 << kWeightBits) - total;
    }
    return all;
}

// Taps beyond the crop's edge count as its edge pixel.
int Clamp(int i, int size) {
    return std::clamp(i, 0, size - 1);
}

} // namespace

void ScalePixels(PixelRows<const std::uint8_t> from, PictureCrop crop, PixelRows<std::uint8_t> to,
                 PictureSize size) {
    if (size.w <= 0 || size.h <= 0 || crop.w <= 0 || crop.h <= 0)
        return;
    const std::vector<Taps> across = TapsAlong(crop.w, size.w);
    const std::vector<Taps> down = TapsAlong(crop.h, size.h);
    // Across first, into rows of the target's width and the crop's height.
    const std::size_t rowLength = static_cast<std::size_t>(size.w) * kChannels;
    std::vector<int> wide(rowLength * static_cast<std::size_t>(crop.h));
    for (int y = 0; y < crop.h; ++y) {
        const std::uint8_t* row = from.top + (crop.y + y) * from.stride;
        int* out = &wide[rowLength * static_cast<std::size_t>(y)];
        for (const Taps& taps : across) {
            for (int c = 0; c < kChannels; ++c) {
                int v = 0;
                for (std::size_t k = 0; k < taps.weights.size(); ++k) {
                    const int x = crop.x + Clamp(taps.first + static_cast<int>(k), crop.w);
                    v += taps.weights[k] * row[x * kChannels + c];
                }
                *out++ = (v + (1 << (kAcrossShift - 1))) >> kAcrossShift;
            }
        }
    }
    // Then down.
    constexpr int kDownShift = 2 * kWeightBits - kAcrossShift;
    for (int y = 0; y < size.h; ++y) {
        const Taps& taps = down[static_cast<std::size_t>(y)];
        std::uint8_t* out = to.top + y * to.stride;
        for (std::size_t i = 0; i < rowLength; ++i) {
            int v = 0;
            for (std::size_t k = 0; k < taps.weights.size(); ++k) {
                const int source = Clamp(taps.first + static_cast<int>(k), crop.h);
                v += taps.weights[k] * wide[rowLength * static_cast<std::size_t>(source) + i];
            }
            out[i] = static_cast<std::uint8_t>(
                std::clamp((v + (1 << (kDownShift - 1))) >> kDownShift, 0, 255));
        }
    }
}

} // namespace kvn
