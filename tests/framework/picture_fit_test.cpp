// How a picture fills its place: cut evenly on the sides that overflow,
// never stretched; shown as drawn when it is within two pixels of its place.
#include <vector>

#include <gtest/gtest.h>

#include "platform/framework/picture_fit.h"

namespace {

using kvn::CropToFill;
using kvn::PictureCrop;

struct CropCase {
    kvn::PictureSize natural, place;
    PictureCrop crop;
};

TEST(PictureFit, FillsThePlaceWithTheMiddleOfThePicture) {
    const CropCase cases[] = {
        {{100, 159}, {200, 318}, {0, 0, 100, 159}},  // the same proportions: all of it
        {{100, 159}, {219, 294}, {0, 12, 100, 134}}, // a wider place: top and bottom cut
        {{100, 159}, {100, 200}, {10, 0, 79, 159}},  // a taller place: the sides cut
        {{100, 159}, {0, 0}, {0, 0, 100, 159}},      // no place: nothing to cut for
    };
    for (const CropCase& c : cases) {
        const PictureCrop crop = CropToFill(c.natural, c.place);
        EXPECT_EQ((std::vector<int>{crop.x, crop.y, crop.w, crop.h}),
                  (std::vector<int>{c.crop.x, c.crop.y, c.crop.w, c.crop.h}))
            << c.place.w << "x" << c.place.h;
    }
}

TEST(PictureFit, ShownAsDrawnOnlyWithinTwoPixelsOfItsPlace) {
    EXPECT_TRUE(kvn::ShowsAsDrawn({100, 159}, {102, 157}));
    EXPECT_FALSE(kvn::ShowsAsDrawn({100, 159}, {103, 159}));
    EXPECT_FALSE(kvn::ShowsAsDrawn({100, 159}, {100, 162}));
}

} // namespace
