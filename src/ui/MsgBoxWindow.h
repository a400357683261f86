// One message box on screen, shared by the files that build, measure, lay out, paint and drive
// it. Not for callers: they use ui/KoMsgBox.h.
// This file must contain only Win32 code.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sys/Platform.h"
#include "sys/ScopedHandle.h"
#include "ui/Markup.h"
#include "ui/MsgBoxLayout.h"
#include "ui/MsgBoxModel.h"

namespace komsgbox {

constexpr char kBoxClassName[] = "KoMsgBox";
constexpr UINT_PTR kTimeoutTimer = 1;

// Everything of one box. It lives in ShowMsgBox's frame and the window procedure reaches it
// through the box window's user data, so a box opened from inside another box's loop (a timer
// of the main window, say) keeps its own state instead of trampling the first one's.
struct Box {
  uint32_t flags = 0;
  int timeoutMs = 0;
  int result = kNoChoice;
  bool answered = false;  // the first answer counts: a late time-out must not overrule a click
  bool done = false;      // the box window is destroyed: the loop ends
  HWND owner = nullptr;   // disabled while the box is up
  HWND window = nullptr;
  HWND text = nullptr;
  bool richEdit = false;  // false: a plain edit control stands in for the rich-edit control
  HICON icon = nullptr;   // shared icon, never destroyed
  std::string fontName;
  sys::ScopedGdiObject font;  // outlives the controls that use it
  std::vector<ButtonSpec> specs;
  std::vector<HWND> buttons;  // left to right
  int defaultButton = -1;
  Size requested;  // what the text control asked for in its last EN_REQUESTRESIZE
  UINT queryCancelAutoPlay = 0;
};

// MsgBoxWindow_win32.cpp: the window class and procedure.
bool RegisterBoxClass(HINSTANCE instance);
void UnregisterBoxClass(HINSTANCE instance);
HWND CreateBoxWindow(Box& box, HWND parent, const std::string& caption, HINSTANCE instance);
// Records the answer and closes the box; later answers are ignored.
void Answer(Box& box, int code);

// MsgBoxText_win32.cpp: the text control and its content.
HWND CreateTextControl(Box& box, HINSTANCE instance);
void SetText(const Box& box, const MarkedText& text);
// Makes RICHED32.DLL stay loaded for the program; false when it cannot be loaded.
bool LoadRichEditForProgram();
// One more reference to the library for the box on screen.
sys::ScopedLibrary LoadRichEditForBox();
// Tests point this at a library that does not exist to see the plain-text stand-in.
void SetRichEditLibraryName(const std::string& name);

// MsgBoxMeasure_win32.cpp: the size the text control gets.
Size TextControlSize(Box& box, const MarkedText& text);

// MsgBoxPlace_win32.cpp: the box centred in the work area, the text control inside it.
void PlaceBox(const Box& box, Size control);
// The size of a window's client area.
Size ClientSize(HWND wnd);

// MsgBoxButtons_win32.cpp: buttons, the default button and the keyboard.
void CreateButtons(Box& box, HINSTANCE instance);
void MakeDefaultButton(Box& box, int index);
// True when the message chose a button and must not be dispatched.
bool FilterKey(Box& box, const MSG& msg);

// MsgBoxPaint_win32.cpp: the band, the icon and the button strip.
HICON IconForFlags(uint32_t flags);
void PaintBox(const Box& box);

}  // namespace komsgbox
