#include "AgentProbe.h"

#include "Processes.h"

namespace testkit {
namespace {
constexpr UINT kLocalMsg = 1124;
constexpr UINT kAgentMsg = 1125;
const char kClass[] = "StubTests.AgentProbe";
}  // namespace

AgentProbe::AgentProbe() {
  HINSTANCE instance = ::GetModuleHandleA(nullptr);
  WNDCLASSA wc{};
  wc.lpfnWndProc = WndProc;
  wc.hInstance = instance;
  wc.lpszClassName = kClass;
  ::RegisterClassA(&wc);
  window_ = ::CreateWindowExA(0, kClass, "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                              instance, this);
}

AgentProbe::~AgentProbe() {
  if (window_) ::DestroyWindow(window_);
}

LRESULT CALLBACK AgentProbe::WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    ::SetWindowLongPtrA(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<AgentProbe*>(::GetWindowLongPtrA(wnd, GWLP_USERDATA));
  if (self && msg == kListenerMsg) {
    self->received_.push_back(Notification{wParam, lParam});
    return 0;
  }
  return ::DefWindowProcA(wnd, msg, wParam, lParam);
}

void AgentProbe::Register(HWND agent, UINT message) {
  ::PostMessageA(agent, kLocalMsg, reinterpret_cast<WPARAM>(window_), message);
}

int64_t AgentProbe::Send(HWND agent, WPARAM command, LPARAM argument) {
  DWORD_PTR answer = 0;
  if (!::SendMessageTimeoutA(agent, kAgentMsg, command, argument, SMTO_NORMAL, 5000, &answer))
    return -1;
  return static_cast<int32_t>(answer);
}

void AgentProbe::Post(HWND agent, UINT message, WPARAM wParam, LPARAM lParam) {
  ::PostMessageA(agent, message, wParam, lParam);
}

bool AgentProbe::WaitFor(WPARAM code, unsigned timeoutMs, Notification* got) {
  const DWORD until = ::GetTickCount() + timeoutMs;
  for (;;) {
    for (const Notification& n : received_)
      if (n.code == code) {
        if (got) *got = n;
        return true;
      }
    if (static_cast<int>(until - ::GetTickCount()) <= 0) return false;
    PumpFor(20);
  }
}

}  // namespace testkit
