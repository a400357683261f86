// The box sized for its text control, centred in the work area and shown; the text control
// placed in the white area right of the band.
// This file must contain only Win32 code.
#include "ui/MsgBoxWindow.h"

namespace komsgbox {
namespace {

Rect WorkArea() {
  RECT area{};
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  return Rect{area.left, area.top, area.right - area.left, area.bottom - area.top};
}

}  // namespace

Size ClientSize(HWND wnd) {
  RECT client{};
  ::GetClientRect(wnd, &client);
  return Size{client.right, client.bottom};
}

void PlaceBox(const Box& box, Size control) {
  const Size outer = BoxSize(control, ::GetSystemMetrics(SM_CXFRAME),
                             ::GetSystemMetrics(SM_CYFRAME), ::GetSystemMetrics(SM_CYCAPTION));
  const Rect at = CentreIn(WorkArea(), outer);
  ::SetWindowPos(box.window, HWND_TOPMOST, at.left, at.top, at.width, at.height, SWP_SHOWWINDOW);
  const Rect text = TextControlPlace(ClientSize(box.window), control);
  ::SetWindowPos(box.text, nullptr, text.left, text.top, text.width, text.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace komsgbox
