// Finding a message box once it waits for the user, and answering it.
#include "BoxDriver.h"

#include <algorithm>

#include "sys/UtilsText.h"

namespace testkit {
namespace {

constexpr char kBoxClass[] = "KoMsgBox";
constexpr unsigned kPollMs = 20;

// A window of a class, or with a title (when byTitle), of one process or any.
struct WindowSearch {
  const std::string& name;
  bool byTitle;
  DWORD processId;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND wnd, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  char name[256] = {};
  if (search->byTitle)
    ::GetWindowTextA(wnd, name, sizeof name);
  else
    ::GetClassNameA(wnd, name, sizeof name);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(wnd, &pid);
  if (name != search->name) return TRUE;
  if (search->processId != 0 && pid != search->processId) return TRUE;
  search->found = wnd;
  return FALSE;
}

HWND FindWindowNamed(const std::string& name, bool byTitle, DWORD processId) {
  WindowSearch search{name, byTitle, processId, nullptr};
  ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

int ChildCount(HWND box) {
  int count = 0;
  ::EnumChildWindows(box, CountChild, reinterpret_cast<LPARAM>(&count));
  return count;
}

// Laid out (no longer the 10 by 10 it is made with), all its controls made, and its thread
// answering sent messages, which it does only from its message loop.
bool IsWaitingForUser(HWND box, int& lastChildCount) {
  RECT frame{};
  ::GetWindowRect(box, &frame);
  if (!::IsWindowVisible(box) || frame.right - frame.left <= 10) return false;
  DWORD_PTR ignored = 0;
  if (!::SendMessageTimeoutA(box, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &ignored)) return false;
  const int count = ChildCount(box);
  const bool settled = count > 0 && count == lastChildCount;
  lastChildCount = count;
  return settled;
}

HWND WaitForWindowNamed(const std::string& name, bool byTitle, unsigned timeoutMs,
                        DWORD processId) {
  const DWORD start = ::GetTickCount();
  int lastChildCount = -1;
  do {
    const HWND wnd = FindWindowNamed(name, byTitle, processId);
    if (wnd && IsWaitingForUser(wnd, lastChildCount)) return wnd;
    ::Sleep(kPollMs);
  } while (::GetTickCount() - start < timeoutMs);
  return nullptr;
}

UINT ScanCode(UINT vk) { return ::MapVirtualKeyA(vk, MAPVK_VK_TO_VSC); }

// Key down and key up as the keyboard would queue them for the focused window of the box's
// thread; the box's loop translates them into characters.
bool PostKey(HWND box, UINT vk, bool alt) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  ::GetGUIThreadInfo(::GetWindowThreadProcessId(box, nullptr), &info);
  const HWND target = info.hwndFocus ? info.hwndFocus : box;
  const LPARAM down = 1 | (static_cast<LPARAM>(ScanCode(vk)) << 16) | (alt ? (1L << 29) : 0);
  const LPARAM up = down | (1L << 30) | (1L << 31);
  return ::PostMessageA(target, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, down) &&
         ::PostMessageA(target, alt ? WM_SYSKEYUP : WM_KEYUP, vk, up);
}

bool ClickButton(HWND box, const std::string& name) {
  BoxReport report;
  if (!ReadBox(box, report)) return false;
  const std::vector<std::string> names = report.ButtonNames();
  for (size_t i = 0; i < names.size(); ++i) {
    if (sys::EqualsNoCase(names[i], sys::ReplaceText(name, "&", "")))
      return ::PostMessageA(report.buttons[i].window, BM_CLICK, 0, 0) != 0;
  }
  return false;
}

struct KeyName {
  const char* name;
  UINT vk;
};

const KeyName kKeyNames[] = {
    {"Enter", VK_RETURN}, {"Escape", VK_ESCAPE}, {"Tab", VK_TAB},   {"Left", VK_LEFT},
    {"Right", VK_RIGHT},  {"Up", VK_UP},         {"Down", VK_DOWN},
};

bool ParseKey(const std::string& text, UINT& vk) {
  for (const KeyName& k : kKeyNames)
    if (sys::EqualsNoCase(text, k.name)) return vk = k.vk, true;
  if (text.size() != 1) return false;
  const char c = sys::UpperCase(text)[0];
  if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
  vk = static_cast<UINT>(c);
  return true;
}

}  // namespace

bool ParseBoxAnswer(const std::string& text, BoxAnswer& answer) {
  const std::string kind = sys::LowerCase(sys::TextBefore(text, ":", text));
  const std::string value = sys::TextAfter(text, ":");
  if (kind == "button" && !value.empty()) return answer = BoxAnswer::Click(value), true;
  UINT vk = 0;
  if (kind == "key" && ParseKey(value, vk)) return answer = BoxAnswer::Key(vk), true;
  if (kind == "alt" && ParseKey(value, vk)) return answer = BoxAnswer::Alt(vk), true;
  if (kind == "escape") return answer = BoxAnswer::Escape(), true;
  if (kind == "close") return answer = BoxAnswer::Close(), true;
  if (kind == "none") return answer = BoxAnswer::Nothing(), true;
  return false;
}

HWND WaitForBox(unsigned timeoutMs, DWORD processId) {
  return WaitForWindowOfClass(kBoxClass, timeoutMs, processId);
}

HWND WaitForWindowOfClass(const std::string& className, unsigned timeoutMs, DWORD processId) {
  return WaitForWindowNamed(className, false, timeoutMs, processId);
}

HWND WaitForWindowTitled(const std::string& title, unsigned timeoutMs, DWORD processId) {
  return WaitForWindowNamed(title, true, timeoutMs, processId);
}

bool AnswerBox(HWND box, const BoxAnswer& answer) {
  if (!::IsWindow(box)) return false;
  switch (answer.action) {
    case BoxAction::kButton:
      return ClickButton(box, answer.button);
    case BoxAction::kKey:
      return PostKey(box, answer.key, false);
    case BoxAction::kAltKey:
      return PostKey(box, answer.key, true);
    case BoxAction::kClose:
      return ::PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0);
    case BoxAction::kNothing:
      return true;
  }
  return false;
}

bool WaitForBoxGone(HWND box, unsigned timeoutMs) {
  const DWORD start = ::GetTickCount();
  while (::IsWindow(box)) {
    if (::GetTickCount() - start >= timeoutMs) return false;
    ::Sleep(kPollMs);
  }
  return true;
}

}  // namespace testkit
