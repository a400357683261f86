// One inform window on screen, shared by the file that builds and runs it and the file of its
// window procedure. Not for callers: they use agent/StubInformDlg.h.
// This file must contain only Win32 code.
#pragma once

#include <string>

#include "sys/Platform.h"
#include "sys/ScopedHandle.h"

namespace au {

// Everything of one window. It lives in ShowInform's frame; the window procedure reaches it
// through the window's user data, so a notice shown from inside another one's loop keeps its
// own state.
struct InformWindow {
  std::string address;  // empty: no button, no footer
  bool rightToLeft = false;
  sys::ScopedGdiObject textFont;  // both outlive the controls that use them
  sys::ScopedGdiObject buttonFont;
  HWND window = nullptr;
  HWND text = nullptr;
  HWND button = nullptr;
  bool richEdit = false;  // false: a plain edit control stands in for the rich-edit control
  bool opened = false;    // the address went to the shell: a second click opens nothing more
  bool closed = false;    // the window is destroyed: the loop ends
};

// InformWindow_win32.cpp: the class, the procedure and the placing of the controls.
bool RegisterInformClass(HINSTANCE instance);
void UnregisterInformClass(HINSTANCE instance);
HWND CreateInformWindow(InformWindow& inform, HWND owner, const std::string& title, int width,
                        int height, HINSTANCE instance);
// The text control and button where the client area's size puts them.
void PlaceInformControls(const InformWindow& inform);

// StubInformDlg_win32.cpp: hands an address to the shell (the browser's page, normally).
void OpenInformAddress(const std::string& address);

}  // namespace au
