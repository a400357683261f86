// This file must contain only Win32 code.
#include "sys/WindowInfo.h"

#include <vector>

#include "sys/Platform.h"
#include "sys/ScopedHandle.h"

namespace sys {
namespace {

constexpr int kClassBufferSize = 10241;
constexpr int kCaptionBufferSize = 102401;

// Bounds the owner chain walk, which the system keeps free of cycles anyway.
constexpr int kMaxOwnerChain = 1000;

RECT WorkArea() {
  RECT area{};
  if (!::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0))
    area = RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  return area;
}

int ReadScreenLogPixelsY() {
  ScopedScreenDc screen(::GetDC(nullptr));
  return screen ? ::GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96;
}

}  // namespace

std::string WindowClassText(WindowHandle Window) {
  if (!Window) return std::string();
  std::vector<char> buffer(kClassBufferSize);
  int length = ::GetClassNameA(Window, buffer.data(), kClassBufferSize);
  return std::string(buffer.data(), length > 0 ? length : 0);
}

std::string WindowCaptionText(WindowHandle Window) {
  if (!Window) return std::string();
  std::vector<char> buffer(kCaptionBufferSize);
  int length = ::GetWindowTextA(Window, buffer.data(), kCaptionBufferSize);
  return std::string(buffer.data(), length > 0 ? length : 0);
}

WindowHandle TopMostOwner(WindowHandle Window) {
  HWND top = Window;
  for (int i = 0; top && i < kMaxOwnerChain; ++i) {
    HWND owner = ::GetWindow(top, GW_OWNER);
    if (!owner) break;
    top = owner;
  }
  return top;
}

ScreenPoint CenterInWorkArea(int Width, int Height) {
  RECT area = WorkArea();
  ScreenPoint point;
  point.Left = area.left + (area.right - area.left - Width) / 2;
  point.Top = area.top + (area.bottom - area.top - Height) / 2;
  return point;
}

int ScreenLogPixelsY() {
  static const int pixels = ReadScreenLogPixelsY();
  return pixels;
}

}  // namespace sys
