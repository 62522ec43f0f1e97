// The program's caption file, .\KVNConfig.ini: the control captions in the
// player's language and the driver tool's path. Read only, never written.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "resources/control_texts.h"
#include "resources/resource_ids.h"

// Where the file is looked for: the current directory, not the program's.
inline constexpr const char* kCaptionFilePath = ".\\KVNConfig.ini";

// One caption: its key in the language section, the text used when the file,
// section or key is missing, and the dialog controls that receive it.
struct CaptionRow {
    const char* key;
    const char* defaultCaption;
    std::array<int, 2> controls; // control ids in the order they are set; 0 ends the list
};

// Every caption, in the order it is read and applied.
inline constexpr auto CaptionTable = std::to_array<CaptionRow>({
    {"GRAPHICSTITLE", kTextTitleGroup, {IDC_TITLE_GROUP, 0}},
    {"OK", kTextOk, {IDOK, 0}},
    {"CANCEL", kTextCancel, {IDCANCEL, 0}},
    {"GRAPHICSQUALITY", kTextLowQuality, {IDC_LOW_QUALITY, 0}},
    {"MMAP", kTextMipGroup, {IDC_MIP_GROUP, 0}},
    {"AGP", kTextAgpGroup, {IDC_AGP_GROUP, 0}},
    {"ON", kTextOn, {IDC_MIP_ON, 0}},
    {"OFF", kTextOff, {IDC_MIP_OFF, 0}},
    {"AUTO", kTextAuto, {IDC_MIP_AUTO, IDC_AGP_AUTO}},
    {"SPECIFY", kTextSpecify, {IDC_AGP_SPECIFY, 0}},
    {"DRVPICKER", kTextDriverTool, {IDC_DRIVER_TOOL, 0}},
});

// Reads the driver tool's path (section KVNCONFIG, key DRVPICKERPATH, default
// ".\DrvPicker.exe") into `toolPath`, then every caption of the table from the
// section named `language`, handing each to `setControlText` once per
// receiving control. Captions are the file's bytes (UTF-8 when the file has a
// byte-order mark), at most 99 bytes, cut only between characters (UTF-8 or
// double-byte ones of the ANSI code page).
// Never fails: anything missing gives the default.
void LoadCaptions(const std::string& language, std::string& toolPath,
                  const std::function<void(int controlId, const char* text)>& setControlText);
