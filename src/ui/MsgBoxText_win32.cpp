// The text control of the box: a RichEdit 1.0 control, which counts a line break as the two
// characters CR LF just as the plain text holds it, so bold runs can be selected by the offsets
// the mark-up parser found. Without the library the box still shows its text, plainly, in a
// read-only edit control.
// This file must contain only Win32 code.
#include "ui/MsgBoxWindow.h"

#include <richedit.h>

#include "sys/LibraryEntry.h"

namespace komsgbox {
namespace {

constexpr char kRichEditClass[] = "RICHEDIT";
std::string RichEditLibrary = "RICHED32.DLL";
HMODULE ProgramRichEdit = nullptr;
bool ProgramLoadTried = false;

// A module handle of 32 or below is an error code of the 16-bit loader, never a module.
bool IsLoaded(HMODULE module) { return reinterpret_cast<uintptr_t>(module) > 32; }

// From the system folder: never a copy planted beside the program.
HMODULE LoadRichEditLibrary() {
  return ::LoadLibraryA(sys::SystemLibraryPath(RichEditLibrary).c_str());
}

DWORD TextStyle(uint32_t flags) {
  DWORD style = WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY | ES_WANTRETURN;
  if (flags & kRightAligned) style |= ES_RIGHT;
  return style;
}

HWND CreateControl(const Box& box, const char* className, HINSTANCE instance) {
  const DWORD exStyle = (box.flags & kRtlReading) ? WS_EX_RTLREADING : 0;
  return ::CreateWindowExA(exStyle, className, "", TextStyle(box.flags), 86, 30, 100, 13,
                           box.window, nullptr, instance, nullptr);
}

void PrepareRichEdit(HWND text) {
  ::SendMessageA(text, EM_SETEVENTMASK, 0, ENM_REQUESTRESIZE);
  ::SendMessageA(text, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(::GetSysColor(COLOR_WINDOW)));
}

void Select(HWND text, int start, int end) {
  CHARRANGE range{start, end};
  ::SendMessageA(text, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

void MakeBold(HWND text, const BoldRun& run) {
  Select(text, run.start, run.end);
  CHARFORMATA format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;
  format.dwEffects = CFE_BOLD;
  ::SendMessageA(text, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

}  // namespace

bool LoadRichEditForProgram() {
  if (!ProgramLoadTried) {
    ProgramLoadTried = true;
    ProgramRichEdit = LoadRichEditLibrary();
  }
  return IsLoaded(ProgramRichEdit);
}

sys::ScopedLibrary LoadRichEditForBox() {
  if (!IsLoaded(ProgramRichEdit)) return sys::ScopedLibrary();
  return sys::ScopedLibrary(LoadRichEditLibrary());
}

void SetRichEditLibraryName(const std::string& name) {
  RichEditLibrary = name;
  ProgramLoadTried = false;
  ProgramRichEdit = nullptr;  // a library loaded before stays loaded; it is only not used
}

HWND CreateTextControl(Box& box, HINSTANCE instance) {
  box.text = LoadRichEditForProgram() ? CreateControl(box, kRichEditClass, instance) : nullptr;
  box.richEdit = box.text != nullptr;
  if (!box.text) box.text = CreateControl(box, "Edit", instance);
  if (!box.text) return nullptr;
  if (box.richEdit) PrepareRichEdit(box.text);
  ::SendMessageA(box.text, WM_SETFONT, reinterpret_cast<WPARAM>(box.font.Get()), FALSE);
  return box.text;
}

void SetText(const Box& box, const MarkedText& text) {
  ::SetWindowTextA(box.text, text.plain.c_str());
  if (!box.richEdit) {
    ::SendMessageA(box.text, EM_SETSEL, 0, 0);
    return;
  }
  for (const BoldRun& run : text.bold) MakeBold(box.text, run);
  Select(box.text, 0, 0);
}

}  // namespace komsgbox
