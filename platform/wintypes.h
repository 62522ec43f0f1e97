// Windows API type names, for the functions platform/ provides off Windows.
#pragma once

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
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
#endif
