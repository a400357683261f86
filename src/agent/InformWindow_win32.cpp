// The inform window's class and procedure: it keeps its controls in place when resized, paints
// the white text area with the footer line and strip, and opens the address from the button.
// This file must contain only Win32 code.
#include "agent/InformLayout.h"
#include "agent/InformWindow.h"
#include "agent/StubInformDlg.h"
#include "ui/StubWindow.h"

namespace au {
namespace {

SIZE ClientSize(HWND wnd) {
  RECT client{};
  ::GetClientRect(wnd, &client);
  return SIZE{client.right, client.bottom};
}

void Fill(HDC dc, int left, int top, int right, int bottom, int colour) {
  const RECT area{left, top, right, bottom};
  ::FillRect(dc, &area, ::GetSysColorBrush(colour));
}

void Paint(const InformWindow& inform) {
  PAINTSTRUCT ps;
  const HDC dc = ::BeginPaint(inform.window, &ps);
  const SIZE client = ClientSize(inform.window);
  Fill(dc, 0, 0, client.cx, client.cy, COLOR_WINDOW);
  if (!inform.address.empty()) {
    const int line = InformFooterLineY(client.cy);
    Fill(dc, 0, line, client.cx, line + 1, COLOR_3DDKSHADOW);
    Fill(dc, 0, line + 1, client.cx, client.cy, COLOR_BTNFACE);
  }
  ::EndPaint(inform.window, &ps);
}

// The button opens the address once, then closes the window; default processing follows.
void OnCommand(InformWindow& inform, WPARAM wParam, LPARAM lParam) {
  if (!inform.button || reinterpret_cast<HWND>(lParam) != inform.button) return;
  if (HIWORD(wParam) != BN_CLICKED || inform.opened) return;
  inform.opened = true;
  OpenInformAddress(inform.address);
  ::PostMessageA(inform.window, WM_CLOSE, 0, 0);
}

bool HandleInformMessage(InformWindow& inform, UINT msg, WPARAM wParam, LPARAM lParam,
                         LRESULT& answer) {
  switch (msg) {
    case WM_DESTROY:
      inform.closed = true;
      answer = 1;
      return true;
    case WM_SIZE:
      PlaceInformControls(inform);
      answer = 0;
      return true;
    case WM_PAINT:
      Paint(inform);
      answer = 0;
      return true;
    case WM_COMMAND:
      OnCommand(inform, wParam, lParam);
      return false;
    case WM_CTLCOLORSTATIC:  // from the plain edit control that stands in for the rich-edit one
      if (inform.richEdit) return false;
      answer = ui::ReadOnlyTextColours(reinterpret_cast<HDC>(wParam));
      return true;
  }
  return false;
}

void Place(HWND control, const InformRect& place) {
  if (!control) return;  // WM_SIZE comes before the controls are made, too
  ::MoveWindow(control, place.left, place.top, place.width, place.height, TRUE);
  ::ShowWindow(control, SW_SHOW);
}

}  // namespace

bool RegisterInformClass(HINSTANCE instance) {
  const WNDPROC proc = ui::StateWindowProc<InformWindow, HandleInformMessage>;
  return ui::RegisterStubWindowClass(kInformClassName, proc, instance);
}

void UnregisterInformClass(HINSTANCE instance) { ::UnregisterClassA(kInformClassName, instance); }

HWND CreateInformWindow(InformWindow& inform, HWND owner, const std::string& title, int width,
                        int height, HINSTANCE instance) {
  const InformRect place = InformWindowPlace(::GetSystemMetrics(SM_CXSCREEN),
                                             ::GetSystemMetrics(SM_CYSCREEN), width, height);
  return ::CreateWindowExA(WS_EX_DLGMODALFRAME, kInformClassName, title.c_str(),
                           WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, place.left,
                           place.top, place.width, place.height, owner, nullptr, instance, &inform);
}

void PlaceInformControls(const InformWindow& inform) {
  const SIZE client = ClientSize(inform.window);
  Place(inform.text, InformTextPlace(client.cx, client.cy, !inform.address.empty()));
  Place(inform.button, InformButtonPlace(client.cx, client.cy));
}

}  // namespace au
