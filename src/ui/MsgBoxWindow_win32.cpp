// The box window: its class, registered for the time a box is up, and its window procedure.
// This file must contain only Win32 code.
#include "ui/MsgBoxWindow.h"

#include <richedit.h>

#include <algorithm>

#include "ui/StubWindow.h"

namespace komsgbox {
namespace {

void OnCommand(Box& box, WPARAM wParam, LPARAM lParam) {
  const HWND from = reinterpret_cast<HWND>(lParam);
  if (HIWORD(wParam) != BN_CLICKED) return;
  if (std::find(box.buttons.begin(), box.buttons.end(), from) == box.buttons.end()) return;
  Answer(box, static_cast<int>(::GetWindowLongPtrA(from, GWLP_USERDATA)));
}

void OnTimeout(Box& box) { Answer(box, box.specs.empty() ? kNoChoice : box.specs.front().code); }

// The owner gets back what the box took, before the box goes, so that activation returns to it
// rather than to some other program's window.
void OnClose(Box& box) {
  box.answered = true;
  if (box.owner) {
    ::EnableWindow(box.owner, TRUE);
    ::SetActiveWindow(box.owner);
    ::SetFocus(box.owner);
  }
  if (box.timeoutMs > 0) ::KillTimer(box.window, kTimeoutTimer);
}

void OnRequestResize(Box& box, LPARAM lParam) {
  const auto* request = reinterpret_cast<const REQRESIZE*>(lParam);
  box.requested = Size{request->rc.right - request->rc.left, request->rc.bottom - request->rc.top};
}

bool HandleBoxMessage(Box& box, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& answer) {
  answer = 0;
  switch (msg) {
    case WM_CREATE:
      if (box.timeoutMs > 0)
        ::SetTimer(box.window, kTimeoutTimer, static_cast<UINT>(box.timeoutMs), nullptr);
      return true;
    case WM_COMMAND:
      OnCommand(box, wParam, lParam);
      return true;
    case WM_TIMER:
      if (wParam == kTimeoutTimer) OnTimeout(box);
      return true;
    case WM_CLOSE:
      OnClose(box);
      return false;  // default processing destroys the box
    case WM_DESTROY:
      box.done = true;
      return true;
    case WM_PAINT:
      PaintBox(box);
      return true;
    case WM_NOTIFY:
      if (reinterpret_cast<const NMHDR*>(lParam)->code == EN_REQUESTRESIZE)
        OnRequestResize(box, lParam);
      return true;
    case WM_CTLCOLORSTATIC:  // from the plain edit control that stands in for the rich-edit one
      answer = ui::ReadOnlyTextColours(reinterpret_cast<HDC>(wParam));
      return true;
  }
  // AutoPlay asks the foreground window whether to run a newly inserted disk: not while a box
  // (the disk prompt, for one) is waiting for the user.
  if (box.queryCancelAutoPlay != 0 && msg == box.queryCancelAutoPlay) {
    answer = 1;
    return true;
  }
  return false;
}

}  // namespace

bool RegisterBoxClass(HINSTANCE instance) {
  const WNDPROC proc = ui::StateWindowProc<Box, HandleBoxMessage>;
  return ui::RegisterStubWindowClass(kBoxClassName, proc, instance);
}

void UnregisterBoxClass(HINSTANCE instance) { ::UnregisterClassA(kBoxClassName, instance); }

HWND CreateBoxWindow(Box& box, HWND parent, const std::string& caption, HINSTANCE instance) {
  box.queryCancelAutoPlay = ::RegisterWindowMessageA("QueryCancelAutoPlay");
  return ::CreateWindowExA(WS_EX_DLGMODALFRAME | WS_EX_TOPMOST, kBoxClassName, caption.c_str(),
                           WS_VISIBLE | WS_CAPTION | WS_SYSMENU, -100, -100, 10, 10, parent,
                           nullptr, instance, &box);
}

void Answer(Box& box, int code) {
  if (box.answered) return;
  box.answered = true;
  box.result = code;
  ::PostMessageA(box.window, WM_CLOSE, 0, 0);
}

}  // namespace komsgbox
