// Talks to a running agent the way an installed product does: registers a hidden window of its
// own as listener, records the notifications it gets, and sends or posts the control messages.
#pragma once

#include <cstdint>
#include <vector>

#include "sys/Platform.h"

namespace testkit {

struct Notification {
  WPARAM code;
  LPARAM value;
};

class AgentProbe {
 public:
  static constexpr UINT kListenerMsg = WM_APP + 7;

  AgentProbe();
  ~AgentProbe();
  AgentProbe(const AgentProbe&) = delete;
  AgentProbe& operator=(const AgentProbe&) = delete;

  HWND Window() const { return window_; }
  // Posts wm_LocalMsg with this window and message number (0 registers without notifications).
  void Register(HWND agent, UINT message = kListenerMsg);
  // wm_AgentMsg sent and answered; -1 when the agent does not answer in time.
  int64_t Send(HWND agent, WPARAM command, LPARAM argument);
  void Post(HWND agent, UINT message, WPARAM wParam, LPARAM lParam);

  const std::vector<Notification>& Received() const { return received_; }
  // Pumps until a notification with this code arrives; false on time-out.
  bool WaitFor(WPARAM code, unsigned timeoutMs, Notification* got = nullptr);

 private:
  static LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  HWND window_ = nullptr;
  std::vector<Notification> received_;
};

}  // namespace testkit
