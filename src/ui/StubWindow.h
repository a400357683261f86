// What the stub's own modal windows (the message box, the agent's inform window) share: a
// window class with the button face behind it and the arrow cursor, redrawn whole when resized;
// the colours of a read-only text area; and the state of one window reached through its user
// data.
// This file must contain only Win32 code.
#pragma once

#include "sys/Platform.h"

namespace ui {

// Registers Name for the time a window of it is up; false when it cannot be registered.
bool RegisterStubWindowClass(const char* Name, WNDPROC Proc, HINSTANCE Instance);

// The answer to WM_CTLCOLORSTATIC for a read-only edit control that stands in for a rich-edit
// control: the white of a text area rather than the grey of static text.
LRESULT ReadOnlyTextColours(HDC Dc);

// The state a window was created with (the creation parameter), kept in its user data from
// WM_NCCREATE, which also stores the window in State::window, to WM_NCDESTROY. Null before and
// after.
template <typename State>
State* WindowState(HWND Window, UINT Msg, LPARAM LParam) {
  if (Msg == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(LParam);
    auto* state = static_cast<State*>(create->lpCreateParams);
    ::SetWindowLongPtrA(Window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    state->window = Window;
  }
  auto* state = reinterpret_cast<State*>(::GetWindowLongPtrA(Window, GWLP_USERDATA));
  if (Msg == WM_NCDESTROY) ::SetWindowLongPtrA(Window, GWLP_USERDATA, 0);
  return state;
}

// A window procedure over such a state: Handle answers a message by returning true with its
// result in Answer; what it leaves (and whatever comes while there is no state) gets the
// default processing.
template <typename State, bool (*Handle)(State&, UINT, WPARAM, LPARAM, LRESULT&)>
LRESULT CALLBACK StateWindowProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
  State* state = WindowState<State>(Window, Msg, LParam);
  LRESULT answer = 0;
  if (state && Handle(*state, Msg, WParam, LParam, answer)) return answer;
  return ::DefWindowProcA(Window, Msg, WParam, LParam);
}

}  // namespace ui
