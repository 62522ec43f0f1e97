// Dialog templates 100 (About box) and 102 (graphics dialog). Controls are
// listed in z-order, which is also the tab order and decides radio groups.
#include "resources/dialog_templates.h"

#include "resources/control_texts.h"
#include "resources/resource_ids.h"

namespace kvn {

namespace {

using K = ControlKind;

constexpr ControlTemplate kAboutControls[] = {
    {-1, K::Icon, nullptr, 0, 11, 17, 20, 20, IDR_MAINFRAME},
    {-1, K::Text, "KvnConfig Version 1.0", kGroup, 40, 23, 119, 8},
    {-1, K::Text, "Runs natively; the game runs under Wine", 0, 40, 33, 119, 8},
    {IDOK, K::PushButton, "OK", kGroup | kTabStop | kDefaultButton, 178, 7, 32, 14},
    {-1, K::Text, "ZOLT Graphics Settings", 0, 40, 13, 84, 8},
};

constexpr ControlTemplate kGraphicsControls[] = {
    {IDOK, K::PushButton, "OK", kDefaultButton | kTabStop, 95, 145, 50, 14},
    {IDCANCEL, K::PushButton, kTextCancel, kTabStop, 183, 145, 50, 14},
    {IDC_LOW_QUALITY, K::CheckBox, kTextLowQuality, kTabStop, 137, 28, 109, 10},
    {IDC_MIP_GROUP, K::GroupBox, kTextMipGroup, 0, 261, 34, 58, 67},
    {IDC_MIP_ON, K::RadioButton, kTextOn, kGroup, 277, 55, 38, 10},
    {IDC_MIP_OFF, K::RadioButton, kTextOff, 0, 277, 69, 39, 10},
    {IDC_MIP_AUTO, K::RadioButton, kTextAuto, 0, 277, 84, 39, 10},
    {IDC_TITLE_GROUP, K::GroupBox, nullptr, 0, 7, 7, 326, 127},
    {IDC_AGP_GROUP, K::GroupBox, kTextAgpGroup, 0, 107, 50, 138, 51},
    {IDC_AGP_AUTO, K::RadioButton, kTextAuto, kGroup, 112, 66, 55, 10},
    {IDC_AGP_SPECIFY, K::RadioButton, kTextSpecify, 0, 112, 82, 55, 10},
    {IDC_MEMORY_EDIT, K::Edit, nullptr, kBorder | kTabStop | kDigitsOnly | kAutoHScroll, 179, 79,
     48, 14},
    {IDC_MEMORY_SPIN, K::UpDown, "Spin1", kSetBuddyInt | kAlignRight | kAutoBuddy | kArrowKeys, 225,
     79, 9, 14},
    {-1, K::Picture, nullptr, kSunken, 20, 23, 68, 99, IDB_PICTURE},
    {IDC_DRIVER_TOOL, K::PushButton, "DrvPicker", kTabStop, 107, 111, 210, 14},
};

constexpr DialogTemplate kTemplates[] = {
    {IDD_ABOUTBOX, "About kvn_setup", 217, 55, kCaption | kSystemMenu | kModalFrame,
     kAboutControls},
    {IDD_GRAPHICS_DIALOG, "KVNConfig", 341, 175,
     kCaption | kSystemMenu | kMinimizeBox | kModalFrame | kAppWindow, kGraphicsControls},
};

} // namespace

std::span<const DialogTemplate> DialogTemplates() {
    return kTemplates;
}

} // namespace kvn
