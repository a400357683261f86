#include "DebugViewer.h"

namespace testkit {

DebugViewer::DebugViewer(std::function<void(const std::string&)> onBlock)
    : onBlock_(std::move(onBlock)) {
  viewerMessage_ = ::RegisterWindowMessageA(".Ko_DebugMsg.");
  HINSTANCE instance = ::GetModuleHandleA(nullptr);
  WNDCLASSA wc{};
  wc.lpfnWndProc = WndProc;
  wc.hInstance = instance;
  wc.lpszClassName = ".KoDebug.";
  ::RegisterClassA(&wc);  // fails harmlessly when a second viewer registers it again
  window_ = ::CreateWindowExA(0, ".KoDebug.", "Debug viewer", WS_OVERLAPPED, 0, 0, 100, 100,
                              nullptr, nullptr, instance, this);
}

DebugViewer::~DebugViewer() {
  if (window_) ::DestroyWindow(window_);
}

LRESULT CALLBACK DebugViewer::WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    ::SetWindowLongPtrA(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<DebugViewer*>(::GetWindowLongPtrA(wnd, GWLP_USERDATA));
  if (self && msg == self->viewerMessage_ && wParam == 1) {
    // The sender deletes the atom as soon as this returns: read its name now.
    char text[300];
    UINT n = ::GlobalGetAtomNameA(static_cast<ATOM>(lParam), text, sizeof text);
    std::string block(text, n);
    self->blocks_.push_back(block);
    if (self->onBlock_) self->onBlock_(block);
    return 0;
  }
  return ::DefWindowProcA(wnd, msg, wParam, lParam);
}

std::string DebugViewer::Text() const {
  std::string all;
  for (const auto& b : blocks_) all += b;
  return all;
}

std::vector<std::string> DebugViewer::LinesStartingWith(const std::string& prefix) const {
  std::vector<std::string> lines;
  const std::string all = Text();
  size_t start = 0;
  for (size_t end; (end = all.find('\n', start)) != std::string::npos; start = end + 1) {
    std::string line = all.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.compare(0, prefix.size(), prefix) == 0) lines.push_back(line);
  }
  return lines;
}

}  // namespace testkit
