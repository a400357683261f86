// This file must contain only Win32 code.
#include "ui/StubWindow.h"

namespace ui {

bool RegisterStubWindowClass(const char* Name, WNDPROC Proc, HINSTANCE Instance) {
  WNDCLASSA wc{};
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = Proc;
  wc.hInstance = Instance;
  wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  wc.lpszClassName = Name;
  return ::RegisterClassA(&wc) != 0;
}

LRESULT ReadOnlyTextColours(HDC Dc) {
  ::SetBkColor(Dc, ::GetSysColor(COLOR_WINDOW));
  ::SetTextColor(Dc, ::GetSysColor(COLOR_WINDOWTEXT));
  return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
}

}  // namespace ui
