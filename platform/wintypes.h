// Windows API types and constants: the one header for them. On Windows they
// come from <windows.h>; elsewhere they are defined here, with the same names
// and values, for the functions platform/ provides and for the framework.
// Each function is declared beside its implementation (profile/profile.h,
// paths/windows_directory.h, framework/...).
#pragma once

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// The up-down control's messages and notification.
#include <commctrl.h>
#else
#include <cstdint>

using BOOL = int;
using INT = int;
using UINT = unsigned int;
using DWORD = std::uint32_t;
using LPSTR = char*;
using LPCSTR = const char*;

#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using INT_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;

constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_ICONERASEBKGND = 0x0027;
constexpr UINT WM_QUERYDRAGICON = 0x0037;
constexpr UINT WM_NOTIFY = 0x004E;
constexpr UINT WM_SETICON = 0x0080;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_SYSCOMMAND = 0x0112;
constexpr UINT WM_USER = 0x0400;
constexpr UINT UDM_SETRANGE = WM_USER + 101;
constexpr UINT UDM_GETRANGE = WM_USER + 102;
constexpr UINT UDM_SETPOS = WM_USER + 103;
constexpr UINT UDM_GETPOS = WM_USER + 104;

constexpr WPARAM ICON_SMALL = 0;
constexpr WPARAM ICON_BIG = 1;

constexpr UINT SC_CLOSE = 0xF060;

constexpr UINT BN_CLICKED = 0;
constexpr UINT UDN_FIRST = 0u - 721u;
constexpr UINT UDN_DELTAPOS = UDN_FIRST - 1;

constexpr UINT MB_OK = 0x00000000;
constexpr UINT MB_ICONHAND = 0x00000010;
constexpr UINT MB_ICONQUESTION = 0x00000020;
constexpr UINT MB_ICONEXCLAMATION = 0x00000030;
constexpr UINT MB_ICONASTERISK = 0x00000040;

constexpr int SM_CXICON = 11;
constexpr int SM_CYICON = 12;

constexpr DWORD MAKELONG(unsigned low, unsigned high) {
    return (low & 0xFFFFu) | ((high & 0xFFFFu) << 16);
}
constexpr unsigned LOWORD(std::uintptr_t value) {
    return value & 0xFFFFu;
}
constexpr unsigned HIWORD(std::uintptr_t value) {
    return (value >> 16) & 0xFFFFu;
}

struct RECT {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Header of a control notification.
struct NMHDR {
    void* hwndFrom;
    UINT_PTR idFrom;
    UINT code;
};

// UDN_DELTAPOS: the position before the change and the proposed change.
struct NMUPDOWN {
    NMHDR hdr;
    int iPos;
    int iDelta;
};

// An icon loaded from the program's resources; owned by the framework.
struct IconHandle;
using HICON = IconHandle*;
using HCURSOR = HICON;
#endif

// The help command of the classic Windows class library; <windows.h> lacks it.
constexpr UINT ID_HELP = 0xE146;
