// The hidden main window: caption line, progress bars, the one-second timer that starts all work,
// and the control port through which other processes talk to a running agent.
// This file must contain only Win32 code.
#include "sys/Platform.h"

#include <commctrl.h>

#include "agent/AgentVars.h"
#include "agent/StubAU.h"
#include "agent/TransientFlags.h"
#include "net/DownloadAbort.h"
#include "pack/GFileInfo.h"
#include "stub/AgentCommands.h"
#include "stub/StubGlob.h"
#include "stub/StubSetup.h"
#include "stub/StubWin.h"
#include "stub/WorkFolder.h"
#include "sys/Files.h"
#include "sys/KoDebug.h"
#include "sys/ScopedHandle.h"
#include "sys/Switches.h"
#include "ui/KoMsgBox.h"
#include "ui/KoProgBar.h"

using kodebug::DebugLog;

namespace stubwin {
namespace {

constexpr int kWindowWidth = 492;
constexpr int kWindowHeight = 110;
constexpr UINT_PTR kTimerId = 1;

HWND MainWnd = nullptr;
HWND CaptionLabel = nullptr;
HWND MainProgress = nullptr;
HWND ActivityBar = nullptr;
HWND ListenerWnd = nullptr;
UINT ListenerMsg = 0;
UINT QueryCancelAutoPlayMsg = 0;
sys::ScopedGdiObject CaptionFont;

bool IsRightToLeft(int charset) { return charset == 177 || charset == 178; }

HFONT MakeFont(const std::string& name, int height, int charset) {
  return ::CreateFontA(height, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, static_cast<DWORD>(charset),
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, name.c_str());
}

void UseCaptionFont(HFONT font) {
  ::SendMessageA(CaptionLabel, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  CaptionFont.Reset(font);  // the previous font is freed once the label no longer uses it
}

void CreateChildren(HWND wnd) {
  const bool rtl = IsRightToLeft(stubglob::OwnFileInfo->GetCharset());
  HINSTANCE instance = ::GetModuleHandleA(nullptr);
  CaptionLabel = ::CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE, rtl ? 122 : 70, 20, 340,
                                   18, wnd, nullptr, instance, nullptr);
  MainProgress = ::CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, 70, 38, 392, 13,
                                   wnd, nullptr, instance, nullptr);
  ActivityBar = ::CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD, rtl ? 70 : 416, 20, 46, 13, wnd,
                                  nullptr, instance, nullptr);
  UseCaptionFont(MakeFont("Tahoma", -11, 0));
}

void Paint(HWND wnd) {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(wnd, &ps);
  RECT client;
  ::GetClientRect(wnd, &client);
  ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
  if (HICON icon = ::LoadIconA(::GetModuleHandleA(nullptr), "MainIcon")) ::DrawIcon(dc, 18, 20, icon);
  ::EndPaint(wnd, &ps);
}

void OnTimer(HWND wnd) {
  if (stubglob::ThisIs_AutoUpdateProg) {
    au::AgentTick();
    return;
  }
  // The setup runs once, inside this dispatch; it ends the loop when done.
  ::KillTimer(wnd, kTimerId);
  stubsetup::RunSetup();
}

void OnLocalMsg(WPARAM wParam, LPARAM lParam) {
  ListenerWnd = reinterpret_cast<HWND>(wParam);
  ListenerMsg = static_cast<UINT>(lParam);
  NotifyListener(au::kNotifyMainWindow, reinterpret_cast<intptr_t>(MainWnd));
  NotifyListener(au::kNotifyAgentMessage, wm_AgentMsg);
}

LRESULT CALLBACK MainWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE:
      MainWnd = wnd;
      CreateChildren(wnd);
      ::SetTimer(wnd, kTimerId, 1000, nullptr);
      break;
    case WM_DESTROY:
      kodebug::ConsoleLine("- wm_Destroy -");
      DestroyMainWindow();
      break;
    case WM_PAINT:
      Paint(wnd);
      return 0;
    case WM_CLOSE:
      if (!CloseMainWindow()) return 0;
      break;
    case WM_QUIT:
      kodebug::ConsoleLine("- wm_Quit -");
      DestroyMainWindow();
      break;
    case WM_TIMER:
      OnTimer(wnd);
      break;
    case wm_ShutDown:
      au::Agent().stopCountdown = static_cast<int32_t>(wParam);
      break;
    case wm_LocalMsg:
      OnLocalMsg(wParam, lParam);
      break;
    case wm_AgentMsg:
      return RunAgentCommand(static_cast<uint32_t>(wParam), static_cast<int32_t>(lParam),
                             au::Agent());
    default:
      // AutoPlay asks the foreground window whether to run a newly inserted disk: no, while the
      // extraction waits for one (the message is registered only then).
      if (QueryCancelAutoPlayMsg != 0 && msg == QueryCancelAutoPlayMsg) return 1;
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
  while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

}  // namespace

void* MainWindowHandle() { return MainWnd; }
void* MainProgressHandle() { return MainProgress; }
void* ActivityBarHandle() { return ActivityBar; }

void RegisterQueryCancelAutoPlay(bool on) {
  QueryCancelAutoPlayMsg = on ? ::RegisterWindowMessageA("QueryCancelAutoPlay") : 0;
}

void NotifyListener(unsigned code, intptr_t value) {
  if (ListenerWnd && ListenerMsg)
    ::PostMessageA(ListenerWnd, ListenerMsg, code, static_cast<LPARAM>(value));
}

bool CloseMainWindow() {
  DebugLog(".. CloseMainWindow() - Start");
  const bool close = inethttp::DownloadAbortRequested();
  inethttp::SetDownloadAbort(true);
  DebugLog(".. CloseMainWindow() - End");
  return close;
}

void DestroyMainWindow() {
  DebugLog(".. DestroyMainWindow() - Start");
  inethttp::SetDownloadAbort(true);
  sys::DeleteTree(stubglob::WorkFolderPath(), true);
  ::PostQuitMessage(0);
  DebugLog(".. DestroyMainWindow() - End");
}

void SetCaption(const std::string& text, const std::string& fontName, int charset, int fontSize) {
  if (!CaptionLabel) return;
  const bool rtl = IsRightToLeft(charset);
  ::SetWindowLongA(CaptionLabel, GWL_EXSTYLE, rtl ? WS_EX_RTLREADING : 0);
  ::SetWindowLongA(CaptionLabel, GWL_STYLE, WS_CHILD | WS_VISIBLE | (rtl ? SS_RIGHT : 0));
  HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  UseCaptionFont(MakeFont(fontName, -::MulDiv(fontSize, dpi, 72), charset));
  ::SetWindowTextA(CaptionLabel, text.c_str());
}

void WinMain() {
  au::ApplySleepSwitch(au::Agent(), sys::GetSwitchInt("/SleepX=", -1));
  // A restarted agent gets the overrides of the one before it on its command line.
  const std::string transient = sys::GetSwitchValue("/TRANSIENTx=", "");
  if (!transient.empty()) {
    au::ParseTransientFlags(transient);
    kodebug::ConsoleProcessLine(" TransientFlags=" + au::FormatTransientFlags());
  }
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
  ::InitCommonControlsEx(&controls);
  HINSTANCE instance = ::GetModuleHandleA(nullptr);
  RegisterMainClass(instance);
  const POINT at = CenteredInWorkArea();
  const std::string title = stubglob::OwnFileInfo->GetLangString("s0", "Karst Installation Suite");
  ::CreateWindowExA(0, stubglob::StubClassName.c_str(), title.c_str(),
                    WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, at.x, at.y, kWindowWidth,
                    kWindowHeight, nullptr, nullptr, instance, nullptr);
  const TGFileInfo& own = *stubglob::OwnFileInfo;
  komsgbox::SetMsgBoxFont(own.GetFontName(), own.GetFontSize(), own.GetCharset());
  if (MainWnd) {
    ::ShowWindow(MainWnd, SW_HIDE);
    RunMessageLoop();
  }
  if (MainWnd) ::KillTimer(MainWnd, kTimerId);
  inethttp::SetDownloadAbort(true);
  inethttp::FreeWinInet();
  koprogbar::ReleaseSharedProgressBar();  // its last event still finds the bars
  NotifyListener(au::kNotifyLoopEnded, 0);
}

}  // namespace stubwin
