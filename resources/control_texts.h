// The English texts of the graphics dialog's controls: the caption file's
// defaults, which the template repeats where it shows the same text. Where the
// two differ, the template keeps its own ("OK" for the OK button's "Ok",
// "DrvPicker" for the tool button's text, no text on the title group).
#pragma once

inline constexpr const char* kTextTitleGroup = "Graphics";
inline constexpr const char* kTextOk = "Ok";
inline constexpr const char* kTextCancel = "Cancel";
inline constexpr const char* kTextLowQuality = "Low Graphic Quality";
inline constexpr const char* kTextMipGroup = "MipMapping";
inline constexpr const char* kTextAgpGroup = "AGP";
inline constexpr const char* kTextOn = "On";
inline constexpr const char* kTextOff = "Off";
inline constexpr const char* kTextAuto = "Auto";
inline constexpr const char* kTextSpecify = "Specify (Mb)";
inline constexpr const char* kTextDriverTool = "Change the Direct Draw driver...";
