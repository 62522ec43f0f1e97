// Numbers of the program's resources and of the graphics dialog's controls.
// OK and Cancel carry the platform's own IDOK (1) and IDCANCEL (2).
#pragma once

#include "platform/wintypes.h"

constexpr int IDD_ABOUTBOX = 100;
constexpr int IDD_GRAPHICS_DIALOG = 102;
constexpr int IDR_MAINFRAME = 128; // the application icon
constexpr int IDB_PICTURE = 136;   // the picture at the dialog's left

constexpr int IDC_LOW_QUALITY = 1000;
constexpr int IDC_MIP_ON = 1002;
constexpr int IDC_MIP_OFF = 1003;
constexpr int IDC_MIP_AUTO = 1004;
constexpr int IDC_AGP_AUTO = 1005;
constexpr int IDC_AGP_SPECIFY = 1006;
constexpr int IDC_MEMORY_EDIT = 1009;
constexpr int IDC_MEMORY_SPIN = 1013;
constexpr int IDC_TITLE_GROUP = 1035;
constexpr int IDC_MIP_GROUP = 1037;
constexpr int IDC_AGP_GROUP = 1038;
constexpr int IDC_DRIVER_TOOL = 1045;
