// Widens a dialog's layout so that every control's caption fits, free of
// widget code: controls are rectangles in pixels.
#pragma once

#include <vector>

namespace kvn {

struct LayoutItem {
    int x = 0, y = 0, w = 0, h = 0;
    int neededWidth = 0; // the width its caption needs; 0 when it never grows
};

// Each item narrower than its needed width grows by the difference, and the
// layout opens a gap as wide at the item's old right edge, across the rows it
// touches: what lies right of that edge moves right, what reaches across it
// (the group boxes around the item, a wide button below) grows. The rows
// touched are the item's height, extended by every item moved or grown, so
// that a group box moves with all of its contents and nothing runs into a
// neighbour. Returns how far the layout's right edge moved (the width the
// dialog must gain), 0 when everything fitted.
int WidenToFit(std::vector<LayoutItem>& items);

} // namespace kvn
