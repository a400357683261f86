// Run-mode dispatch and the hidden main window.
// This file must contain only Win32 specific code.
#include "stub/StubWin.h"

#include "agent/StubAU.h"
#include "pack/GFileInfo.h"
#include "stub/AgentCopies.h"
#include "stub/KoDebug.h"
#include "stub/RunMode.h"
#include "stub/StubGlob.h"
#include "stub/StubSetup.h"
#include "sys/Files.h"
#include "sys/Host.h"
#include "sys/Platform.h"

#include <commctrl.h>
#include "sys/Switches.h"

using kodebug::DebugLog;

namespace stubwin {
namespace {

constexpr int kWindowWidth = 492;
constexpr int kWindowHeight = 110;
constexpr UINT_PTR kTimerId = 1;

HWND g_mainWnd = nullptr;
bool g_loopDone = false;
bool g_downloadAbort = false;
int g_tickCount = -3;

const char* TrueFalse(bool value) { return value ? "TRUE" : "FALSE"; }

bool WindowClassExists(const std::string& className) {
  return ::FindWindowA(className.c_str(), nullptr) != nullptr;
}

void OnTimer(HWND wnd) {
  if (stubglob::ThisIs_AutoUpdateProg) {
    stubau::AgentTick();
    return;
  }
  // The setup runs once, inside this dispatch; it ends the loop when done.
  ::KillTimer(wnd, kTimerId);
  stubsetup::RunSetup();
}

LRESULT CALLBACK MainWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE:
      ::SetTimer(wnd, kTimerId, 1000, nullptr);
      break;
    case WM_TIMER:
      OnTimer(wnd);
      break;
    case WM_CLOSE:
      if (!CloseMainWindow()) return 0;
      break;
    case WM_DESTROY:
      kodebug::ConsoleLine("- wm_Destroy -");
      DestroyMainWindow();
      break;
    default:
      break;
  }
  return ::DefWindowProcA(wnd, msg, wParam, lParam);
}

bool RegisterMainClass(HINSTANCE instance) {
  WNDCLASSA wc{};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = MainWndProc;
  wc.hInstance = instance;
  wc.hIcon = ::LoadIconA(instance, "MainIcon");
  wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.lpszClassName = stubglob::StubClassName.c_str();
  return ::RegisterClassA(&wc) != 0;
}

POINT CenteredInWorkArea() {
  RECT area{};
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  return POINT{area.left + (area.right - area.left - kWindowWidth) / 2,
               area.top + (area.bottom - area.top - kWindowHeight) / 2};
}

void RunMessageLoop() {
  MSG msg;
  while (!g_loopDone && ::GetMessageA(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

}  // namespace

bool CloseMainWindow() {
  DebugLog(".. CloseMainWindow() - Start");
  const bool close = g_downloadAbort;
  g_downloadAbort = true;
  DebugLog(".. CloseMainWindow() - End");
  return close;
}

void DestroyMainWindow() {
  DebugLog(".. DestroyMainWindow() - Start");
  g_downloadAbort = true;
  ::PostQuitMessage(0);
  g_loopDone = true;
  DebugLog(".. DestroyMainWindow() - End");
}

void WinMain() {
  int64_t sleep = sys::GetSwitchInt("/SleepX=", -1);
  if (sleep >= 0) g_tickCount = static_cast<int>(-sleep);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
  ::InitCommonControlsEx(&controls);
  HINSTANCE instance = ::GetModuleHandleA(nullptr);
  RegisterMainClass(instance);
  const POINT at = CenteredInWorkArea();
  const std::string title =
      stubglob::OwnFileInfo->GetLangString("s0", "Karst Installation Suite");
  g_mainWnd = ::CreateWindowExA(0, stubglob::StubClassName.c_str(), title.c_str(),
                                WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, at.x, at.y,
                                kWindowWidth, kWindowHeight, nullptr, nullptr, instance, nullptr);
  if (g_mainWnd) {
    ::ShowWindow(g_mainWnd, SW_HIDE);
    RunMessageLoop();
  }
  if (g_mainWnd) ::KillTimer(g_mainWnd, kTimerId);
  g_downloadAbort = true;
}

void DoRunStubWin() {
  DebugLog("DoRunStubWin() --- Start");
  const TGFileInfo& own = *stubglob::OwnFileInfo;
  const std::string exePath = sys::ProgramPath();
  stubglob::StubClassName = StubClassNameFor(stubglob::ThisIs_AutoUpdateProg, exePath);

  RunInputs in;
  in.isAutoUpdateProg = stubglob::ThisIs_AutoUpdateProg;
  in.exePath = exePath;
  in.programExeName = own.GetProgramExeName();
  in.spanCdCopyFlag = own.SpanCdCopy();
  in.spanCdLvl = sys::GetSwitchInt("/SpanCdLvl=", 1);

  const bool xExeIsRunning = WindowClassExists(XAgentClassName(in.programExeName));
  const std::string name = FileNameOf(exePath);
  DebugLog(std::string("X_ExeIsRunning=") + TrueFalse(xExeIsRunning));
  DebugLog(std::string("ThisIs_Plain_AutoUpdate_Exe=") +
           TrueFalse(in.isAutoUpdateProg && IsPlainAgentName(name, in.programExeName)));
  DebugLog(std::string("ThisIs_X_AutoUpdate_Exe=") +
           TrueFalse(in.isAutoUpdateProg && IsXAgentName(name, in.programExeName)));

  in.instanceRunning = WindowClassExists(stubglob::StubClassName);
  const RunPlan plan = DecideRunPlan(in);
  switch (plan.branch) {
    case Branch::None:
      break;
    case Branch::CreateXExe:
      CreateAndRun_X_Exe();
      break;
    case Branch::TransientAgent:
      DebugLog("CheckTestMode");
      stubau::CheckTestMode(true);
      DebugLog("WinMain");
      WinMain();
      DebugLog("DeleteMySelf");
      break;
    case Branch::SpanRelaunch:
      RunSpanCopy();
      return;
    case Branch::MainWindow:
      WinMain();
      break;
  }
  if (plan.selfDelete) sys::SelfDelete(exePath, plan.selfDeleteFolder);
  if (plan.handleParamOK) HandleParamOK(xExeIsRunning);
  DebugLog("DoRunStubWin() --- End");
}

}  // namespace stubwin
