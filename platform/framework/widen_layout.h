// Widens a dialog's layout so that every control's caption fits, free of
// widget code: controls are rectangles in pixels.
#pragma once

#include <vector>

namespace kvn {

struct LayoutItem {
    int x = 0, y = 0, w = 0, h = 0;
    int neededWidth = 0;    // the width its caption needs; 0 when it never grows
    bool container = false; // a group box, which may hold other controls
};

// Each item narrower than its needed width grows by the difference. What
// lies in its row to the right of its old right edge moves right by the same
// amount, and the group boxes reaching across that edge grow with it. A
// row is the grown control's height, extended by every control moved or
// grown, so that a group box moves with its contents and no moved control
// runs into a neighbour. Returns how far the layout's right edge moved (the
// width the dialog must gain), 0 when everything fitted.
int WidenToFit(std::vector<LayoutItem>& items);

} // namespace kvn
