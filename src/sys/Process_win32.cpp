// This file must contain only Win32 code.
#include "sys/Process.h"

#include "sys/Platform.h"
#include "sys/ProcessAnalizer.h"
#include "sys/ProcessSearch.h"
#include "sys/Pumping.h"
#include "sys/ScopedHandle.h"
#include "sys/UtilsText.h"

namespace sys {
namespace {

constexpr uint32_t kDefaultWaitMs = 1000;
constexpr uint32_t kPollMs = 100;
// The values a closing or quitting program receives with the message, so that it can tell a
// request from this program from any other.
constexpr WPARAM kStopWParam = 15;
constexpr LPARAM kStopLParam = 255;

BOOL CALLBACK CollectWindow(HWND Window, LPARAM Param) {
  auto& analizer = *reinterpret_cast<TAnalizer*>(Param);
  DWORD processId = 0;
  ::GetWindowThreadProcessId(Window, &processId);
  if (processId != analizer.ProcessId()) return TRUE;
  analizer.Collect(reinterpret_cast<uintptr_t>(Window),
                   reinterpret_cast<uintptr_t>(TopMostOwner(Window)),
                   ::GetWindowTextLengthA(Window) > 0, ::IsWindowVisible(Window) != 0);
  return TRUE;
}

const char* AnyWhenEmpty(const std::string& Text) {
  return Text.empty() ? nullptr : Text.c_str();
}

}  // namespace

bool IsProcessRunning(const std::string& Path) {
  return FindProcessIdBy(RunningSearchFor(GetWindowsVersion()), Path, false) != 0;
}

bool WaitProcessEnd(const std::string& Path, uint32_t TimeoutMs) {
  const std::string path = Unquote(Path);
  const int64_t limit = TimeoutMs == 0 ? kDefaultWaitMs : TimeoutMs;
  const int64_t start = MillisecondClock();
  do {
    if (!IsProcessRunning(path)) return true;
    DelayPumping(kPollMs);
  } while (MillisecondClock() - start <= limit);
  return !IsProcessRunning(path);
}

uint32_t FindProcessId(const std::string& Path, bool FullPath) {
  return FindProcessIdBy(WindowSearchFor(GetWindowsVersion()), Path, FullPath);
}

WindowHandle MainWindowOfProcess(uint32_t ProcessId) {
  if (ProcessId == 0) return nullptr;
  TAnalizer analizer(ProcessId);
  ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&analizer));
  return reinterpret_cast<WindowHandle>(analizer.MainWindow());
}

WindowHandle FindProcessWindow(const std::string& Path, bool FullPath) {
  return MainWindowOfProcess(FindProcessId(Path, FullPath));
}

bool PostProcessMessage(const std::string& Path, bool FullPath, uint32_t Msg, uintptr_t WParam,
                        intptr_t LParam) {
  HWND window = FindProcessWindow(Path, FullPath);
  return window && ::PostMessageA(window, Msg, WParam, LParam) != 0;
}

bool CloseProcess(const std::string& Path, bool FullPath, uint32_t WaitMs) {
  bool posted = PostProcessMessage(Path, FullPath, WM_CLOSE, kStopWParam, kStopLParam);
  if (WaitMs > 0) WaitProcessEnd(Path, WaitMs);
  return posted;
}

bool QuitProcess(const std::string& Path, bool FullPath) {
  return PostProcessMessage(Path, FullPath, WM_QUIT, kStopWParam, kStopLParam);
}

bool KillProcess(const std::string& Path, bool FullPath) {
  uint32_t id = FindProcessIdBy(RunningSearchFor(GetWindowsVersion()), Path, FullPath);
  if (id == 0) return false;
  ScopedKernelHandle process(::OpenProcess(PROCESS_TERMINATE, FALSE, id));
  return process && ::TerminateProcess(process.Get(), 0) != 0;
}

void WaitWhileWindowExists(const std::string& ClassName, const std::string& Title) {
  if (ClassName.empty() && Title.empty()) return;
  while (::FindWindowA(AnyWhenEmpty(ClassName), AnyWhenEmpty(Title))) YieldX(kPollMs);
}

}  // namespace sys
