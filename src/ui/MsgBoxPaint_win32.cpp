// The look of the box: white text area, a blue band with the icon on the left, and the button
// strip below a sunken line. Only the band's brush is made here; it is freed after each paint.
// This file must contain only Win32 code.
#include "ui/MsgBoxWindow.h"

namespace komsgbox {
namespace {

constexpr COLORREF kBandColour = RGB(0, 78, 152);
constexpr int kIconLeft = 11;
constexpr int kIconTop = 20;

void Fill(HDC dc, int left, int top, int right, int bottom, HBRUSH brush) {
  const RECT area{left, top, right, bottom};
  ::FillRect(dc, &area, brush);
}

void PaintClient(HDC dc, const Box& box, int width, int height) {
  const int line = height - 37;  // dark line, white line, then the strip
  Fill(dc, 0, 0, width, height, ::GetSysColorBrush(COLOR_WINDOW));
  Fill(dc, 0, line, width, line + 1, ::GetSysColorBrush(COLOR_3DDKSHADOW));
  Fill(dc, 0, line + 1, width, line + 2, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  Fill(dc, 0, line + 2, width, height, ::GetSysColorBrush(COLOR_BTNFACE));
  const sys::ScopedGdiObject band(::CreateSolidBrush(kBandColour));
  Fill(dc, 0, 0, kBandWidth, line, static_cast<HBRUSH>(band.Get()));
  if (box.icon) ::DrawIcon(dc, kIconLeft, kIconTop, box.icon);
}

}  // namespace

HICON IconForFlags(uint32_t flags) {
  LPCSTR id = nullptr;
  switch (flags & kIconMask) {
    case kIconStop:
      id = reinterpret_cast<LPCSTR>(IDI_HAND);
      break;
    case kIconQuestion:
      id = reinterpret_cast<LPCSTR>(IDI_QUESTION);
      break;
    case kIconExclamation:
      id = reinterpret_cast<LPCSTR>(IDI_EXCLAMATION);
      break;
    case kIconInformation:
      id = reinterpret_cast<LPCSTR>(IDI_ASTERISK);
      break;
    default:
      return ::LoadIconA(::GetModuleHandleA(nullptr), "MainIcon");
  }
  return ::LoadIconA(nullptr, id);
}

void PaintBox(const Box& box) {
  PAINTSTRUCT ps;
  const HDC dc = ::BeginPaint(box.window, &ps);
  RECT client{};
  ::GetClientRect(box.window, &client);
  PaintClient(dc, box, client.right, client.bottom);
  ::EndPaint(box.window, &ps);
}

}  // namespace komsgbox
