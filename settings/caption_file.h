// The program's caption file, .\KVNConfig.ini: the control captions in the
// player's language and the driver tool's path. Read only, never written.
#pragma once

#include <array>
#include <functional>
#include <string>

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
inline constexpr std::array<CaptionRow, 11> CaptionTable = {{
    {"GRAPHICSTITLE", "Graphics", {1035, 0}},                     // titleGroup
    {"OK", "Ok", {1, 0}},                                         // okButton
    {"CANCEL", "Cancel", {2, 0}},                                 // cancelButton
    {"GRAPHICSQUALITY", "Low Graphic Quality", {1000, 0}},        // lowQualityCheck
    {"MMAP", "MipMapping", {1037, 0}},                            // mipGroup
    {"AGP", "AGP", {1038, 0}},                                    // agpGroup
    {"ON", "On", {1002, 0}},                                      // onRadio
    {"OFF", "Off", {1003, 0}},                                    // offRadio
    {"AUTO", "Auto", {1004, 1005}},                               // mipAutoRadio, agpAutoRadio
    {"SPECIFY", "Specify (Mb)", {1006, 0}},                       // specifyRadio
    {"DRVPICKER", "Change the Direct Draw driver...", {1045, 0}}, // toolButton
}};

// Reads the driver tool's path (section KVNCONFIG, key DRVPICKERPATH, default
// ".\DrvPicker.exe") into `toolPath`, then every caption of the table from the
// section named `language`, handing each to `setControlText` once per
// receiving control. Captions are the file's bytes (UTF-8 when the file has a
// byte-order mark), at most 99 bytes, cut only between UTF-8 characters.
// Never fails: anything missing gives the default.
void LoadCaptions(const std::string& language, std::string& toolPath,
                  const std::function<void(int controlId, const char* text)>& setControlText);
