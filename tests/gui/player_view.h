// What the player sees of a dialog, read from the backend's own windows:
// captions as drawn, tooltips and what screen readers read, where each
// control lies and the room its caption needs, and where the dialog lies on
// the screen. One implementation per backend
// (player_view_gtk.cpp, player_view_win32.cpp); all rectangles in pixels.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/framework/cwnd.h"

namespace kvn::test {

// What a control's caption shows: its text without mnemonic marks.
std::string ShownText(const CWnd& control);
// The mnemonic's key in lower case, or 0 when the caption has none.
unsigned MnemonicKey(const CWnd& control);
// The tooltip the control shows when the pointer rests on it ("" for none).
std::string ToolTipText(const CWnd& control);
// The name a screen reader reads for the control ("" for none).
std::string AccessibleName(const CWnd& control);

// One child control of a dialog as laid out on screen.
struct ShownControl {
    enum Kind { kButton, kGroupBox, kText, kEdit, kOther }; // kButton: push, check or radio
    Kind kind = kOther;
    NativeWindow* window = nullptr;
    int id = 0;
    std::string text; // as shown
    RECT rect{};      // in the dialog's client area
    // The room its caption (an edit: one line of text) needs; 0 for none.
    int neededWidth = 0, neededHeight = 0;
    int frameWidth = 0; // its frame's left and right together: window less client area
    // An up-down control the platform draws onto the frame of its buddy: the buddy.
    NativeWindow* drawnOnto = nullptr;
    // A picture: the size its image is drawn at, and the room inside its edge.
    int imageWidth = 0, imageHeight = 0, roomWidth = 0, roomHeight = 0;
};
std::vector<ShownControl> ShownControls(const CWnd& dialog);

// A control's rectangle in its parent's client area.
RECT RectInParent(const CWnd& control);
// A dialog's rectangle on the screen, frame included.
RECT ScreenRect(const CWnd& dialog);
// The work area of the monitor the dialog lies on.
RECT WorkArea(const CWnd& dialog);
// A template rectangle in dialog units as the dialog's pixels: position and
// size are converted each on its own, as the dialog manager places controls.
RECT DialogUnitsToPixels(const CWnd& dialog, int x, int y, int w, int h);
// The top-level windows open in this program (the dialogs, message boxes).
std::size_t TopLevelWindowCount();

inline bool Contains(const RECT& outer, const RECT& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}
inline bool Overlap(const RECT& a, const RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

} // namespace kvn::test
