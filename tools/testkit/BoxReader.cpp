// Reading a message box: caption, frame, the text control with its bold runs, the buttons, the
// system menu's Close command, the owner and the font.
#include "BoxDriver.h"

#include <richedit.h>

#include <algorithm>

#include "RemoteMemory.h"
#include "sys/UtilsText.h"

namespace testkit {
namespace {

constexpr UINT kSendTimeoutMs = 2000;

// Messages go to a window of another thread or process, which could hang: never wait for ever.
LRESULT Send(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  ::SendMessageTimeoutA(wnd, msg, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result);
  return static_cast<LRESULT>(result);
}

std::string ClassOf(HWND wnd) {
  char name[64] = {};
  ::GetClassNameA(wnd, name, sizeof name);
  return name;
}

std::string TextOf(HWND wnd) {
  const LRESULT length = Send(wnd, WM_GETTEXTLENGTH, 0, 0);
  std::string text(static_cast<size_t>(std::max<LRESULT>(length, 0)) + 1, '\0');
  const LRESULT got = Send(wnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(static_cast<size_t>(std::max<LRESULT>(got, 0)));
  return text;
}

RECT PlaceInClient(HWND child, HWND box) {
  RECT place{};
  ::GetWindowRect(child, &place);
  ::MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&place), 2);
  return place;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
  return TRUE;
}

std::vector<HWND> Children(HWND box) {
  std::vector<HWND> children;
  ::EnumChildWindows(box, CollectChild, reinterpret_cast<LPARAM>(&children));
  return children;
}

bool IsBold(const RemoteMemory& memory, HWND text, int at, int length) {
  const CHARRANGE range{at, at + length};
  CHARFORMATA format{};
  format.cbSize = sizeof format;
  if (!memory.Write(0, &range, sizeof range) || !memory.Write(sizeof range, &format, sizeof format))
    return false;
  Send(text, EM_EXSETSEL, 0, memory.At(0));
  Send(text, EM_GETCHARFORMAT, SCF_SELECTION, memory.At(sizeof range));
  memory.Read(sizeof range, &format, sizeof format);
  return (format.dwMask & CFM_BOLD) && (format.dwEffects & CFE_BOLD);
}

void AddToRuns(std::vector<BoxTextRun>& runs, int start, int end) {
  if (!runs.empty() && runs.back().end == start)
    runs.back().end = end;
  else
    runs.push_back(BoxTextRun{start, end});
}

// One character at a time, so the runs come out exactly as the control holds them; a line break
// is one paragraph mark of two characters, which the control selects only as a whole.
std::vector<BoxTextRun> BoldRunsOf(HWND control, const std::string& text) {
  std::vector<BoxTextRun> runs;
  const RemoteMemory memory(control, sizeof(CHARRANGE) + sizeof(CHARFORMATA));
  if (!memory) return runs;
  const int size = static_cast<int>(text.size());
  for (int at = 0, length = 1; at < size; at += length) {
    length = (text[at] == '\r' && at + 1 < size && text[at + 1] == '\n') ? 2 : 1;
    if (IsBold(memory, control, at, length)) AddToRuns(runs, at, at + length);
  }
  const CHARRANGE none{0, 0};
  if (memory.Write(0, &none, sizeof none)) Send(control, EM_EXSETSEL, 0, memory.At(0));
  return runs;
}

void ReadTextControl(HWND box, HWND text, BoxReport& report) {
  report.textControl = text;
  report.textClass = ClassOf(text);
  report.text = TextOf(text);
  report.textPlace = PlaceInClient(text, box);
  report.textRightAligned = (::GetWindowLongA(text, GWL_STYLE) & ES_RIGHT) != 0;
  report.textRightToLeft = (::GetWindowLongA(text, GWL_EXSTYLE) & WS_EX_RTLREADING) != 0;
  if (sys::EqualsNoCase(report.textClass, "RichEdit")) report.bold = BoldRunsOf(text, report.text);
}

BoxButton ReadButton(HWND box, HWND button, HWND focus) {
  BoxButton b;
  b.window = button;
  b.caption = TextOf(button);
  b.place = PlaceInClient(button, box);
  b.isDefault = (::GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  b.focused = button == focus;
  b.code = static_cast<int>(::GetWindowLongPtrA(button, GWLP_USERDATA));
  return b;
}

HWND FocusOf(HWND box) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  ::GetGUIThreadInfo(::GetWindowThreadProcessId(box, nullptr), &info);
  return info.hwndFocus;
}

// Returns a button, which carries the box font, or nullptr.
HWND ReadChildren(HWND box, BoxReport& report) {
  const HWND focus = FocusOf(box);
  HWND button = nullptr;
  for (HWND child : Children(box)) {
    if (!sys::EqualsNoCase(ClassOf(child), "Button")) {
      ReadTextControl(box, child, report);
      continue;
    }
    report.buttons.push_back(ReadButton(box, child, focus));
    button = child;
  }
  std::sort(report.buttons.begin(), report.buttons.end(),
            [](const BoxButton& a, const BoxButton& b) { return a.place.left < b.place.left; });
  return button;
}

// Menus and fonts are objects of the owning process; for another process's box they may not be
// readable, which the report says instead of guessing.
void ReadMenuAndFont(HWND box, HWND fontSample, BoxReport& report) {
  const UINT state = ::GetMenuState(::GetSystemMenu(box, FALSE), SC_CLOSE, MF_BYCOMMAND);
  report.closeState = state == static_cast<UINT>(-1) ? -1 : ((state & MF_GRAYED) ? 1 : 0);
  if (!fontSample) return;
  const auto font = reinterpret_cast<HGDIOBJ>(Send(fontSample, WM_GETFONT, 0, 0));
  LOGFONTA logFont{};
  if (font && ::GetObjectA(font, sizeof logFont, &logFont) == sizeof logFont) {
    report.fontFace = logFont.lfFaceName;
    report.fontHeight = logFont.lfHeight;
  }
}

}  // namespace

bool ReadBox(HWND box, BoxReport& report) {
  report = BoxReport{};
  if (!::IsWindow(box)) return false;
  report.window = box;
  report.caption = TextOf(box);
  ::GetWindowRect(box, &report.frame);
  RECT client{};
  ::GetClientRect(box, &client);
  report.client = SIZE{client.right, client.bottom};
  report.topmost = (::GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  ReadMenuAndFont(box, ReadChildren(box, report), report);
  report.owner = ::GetWindow(box, GW_OWNER);
  report.ownerEnabled = report.owner && ::IsWindowEnabled(report.owner);
  return ::IsWindow(box);
}

}  // namespace testkit
