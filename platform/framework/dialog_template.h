// Dialog templates as data: the controls in z-order with id, kind, text,
// styles and rectangle in dialog units. No widget code here.
#pragma once

#include <span>

namespace kvn {

enum class ControlKind {
    PushButton,
    CheckBox,    // automatic check box
    RadioButton, // automatic radio button
    GroupBox,
    Edit,
    UpDown,  // up-down (spin) control
    Picture, // static bitmap; resource names the bitmap
    Icon,    // static icon; resource names the icon
    Text,    // static text line
};

// Control styles besides child and visible.
enum ControlStyle : unsigned {
    kGroup = 1u << 0, // starts a new group (radio groups, arrow-key groups)
    kTabStop = 1u << 1,
    kDefaultButton = 1u << 2,
    kBorder = 1u << 3,
    kDigitsOnly = 1u << 4,  // edit: typing accepts digits only
    kAutoHScroll = 1u << 5, // edit: scrolls horizontally as text is typed
    kSetBuddyInt = 1u << 6, // up-down: writes its position into the buddy
    kAlignRight = 1u << 7,  // up-down: sits at the buddy's right edge
    kAutoBuddy = 1u << 8,   // up-down: buddy is the control before it
    kArrowKeys = 1u << 9,   // up-down: Up and Down keys in the buddy step it
    kSunken = 1u << 10,
};

enum DialogStyle : unsigned {
    kCaption = 1u << 0,
    kSystemMenu = 1u << 1,
    kMinimizeBox = 1u << 2,
    kModalFrame = 1u << 3,
    kAppWindow = 1u << 4, // gets a task-bar button
};

struct ControlTemplate {
    int id;
    ControlKind kind;
    const char* text; // nullptr for none
    unsigned styles;
    int x, y, w, h;   // dialog units
    int resource = 0; // bitmap or icon number for Picture and Icon
};

struct DialogTemplate {
    int id;
    const char* title;
    int w, h; // dialog units
    unsigned styles;
    std::span<const ControlTemplate> controls; // z-order
};

} // namespace kvn
