// How a picture fills its place in a dialog, free of widget code: sizes and
// rectangles in pixels.
#pragma once

namespace kvn {

struct PictureSize {
    int w = 0, h = 0;
};

// The part of a picture of size `natural` that is shown, scaled, over the
// whole of a place of size `place`: all of the picture when the proportions
// agree, else its middle, cut evenly on the sides that overflow, so that the
// picture fills its place without being stretched.
struct PictureCrop {
    int x = 0, y = 0, w = 0, h = 0;
};
PictureCrop CropToFill(PictureSize natural, PictureSize place);

// Whether the picture is shown as drawn, centred, rather than scaled: when it
// is within two pixels of its place either way, where scaling would only
// blur it.
bool ShowsAsDrawn(PictureSize natural, PictureSize place);

} // namespace kvn
