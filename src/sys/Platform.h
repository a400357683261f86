// The one place where <windows.h> comes in. Every Win32 file includes this header instead.
// This file must contain only Win32 code.
#pragma once

#ifndef _WIN32_WINNT
#define _WIN32_WINNT 0x0601  // mingw-w64 defaults to an older value
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
