// Facts about windows and the screen: class name and text of a window, its top-most owner, the
// place that centres a window in the work area, the screen's vertical resolution.
// Win32 (WindowInfo_win32.cpp).
#pragma once

#include <string>

struct HWND__;  // the system's window handle type, named here without the system headers

namespace sys {

using WindowHandle = HWND__*;

// Empty for no window.
std::string WindowClassText(WindowHandle Window);
std::string WindowCaptionText(WindowHandle Window);
// The last window of the owner chain that begins with Window (Window itself when it has no
// owner); nullptr for no window.
WindowHandle TopMostOwner(WindowHandle Window);

struct ScreenPoint {
  int Left = 0;
  int Top = 0;
};

// The top-left corner that centres a window of Width x Height in the desktop's work area (the
// screen without the task bar).
ScreenPoint CenterInWorkArea(int Width, int Height);

// Pixels per logical inch of the screen, vertically (96 at 100 %); read once.
int ScreenLogPixelsY();

}  // namespace sys
