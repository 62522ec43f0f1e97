// The English texts of the graphics dialog's controls that its template shows
// and the caption file's defaults repeat. Where the two differ (the OK button's
// "OK" and "Ok", the tool button's short template text, the title group with no
// template text), each keeps its own.
#pragma once

inline constexpr const char* kTextCancel = "Cancel";
inline constexpr const char* kTextLowQuality = "Low Graphic Quality";
inline constexpr const char* kTextMipGroup = "MipMapping";
inline constexpr const char* kTextAgpGroup = "AGP";
inline constexpr const char* kTextOn = "On";
inline constexpr const char* kTextOff = "Off";
inline constexpr const char* kTextAuto = "Auto";
inline constexpr const char* kTextSpecify = "Specify (Mb)";
