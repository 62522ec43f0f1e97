// Widens a dialog's layout so that every control's caption fits, free of
// widget code: controls are rectangles in pixels.
#pragma once

#include <vector>

namespace kvn {

struct LayoutItem {
    int x = 0, y = 0, w = 0, h = 0;
    int neededWidth = 0; // the width its caption needs; 0 when it never grows
    bool button = false; // a push button: rows of buttons alone stay centred
};

// Each item narrower than its needed width grows by the difference, and the
// layout opens a gap as wide at the item's old right edge, across the rows it
// touches: what lies right of that edge moves right, what reaches across it
// (the group boxes around the item, a wide button below) grows. The rows
// touched are the item's height, extended by every item moved or grown, so
// that a group box moves with all of its contents and nothing runs into a
// neighbour. Returns how far the layout's right edge moved (the width the
// dialog must gain), 0 when everything fitted.
// Rows that hold push buttons only keep their centre at the same distance
// from the layout's centre, as a template centres OK and Cancel.
// The layout grows by at most `maxGrowth`: when the captions need more, the
// widest captions are given less room, evenly, and an item may stay narrower
// than its needed width (its caption must then be shortened).
int WidenToFit(std::vector<LayoutItem>& items, int maxGrowth = 1 << 30);

} // namespace kvn
