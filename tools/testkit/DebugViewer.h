// A debug viewer: a hidden ".KoDebug." window that collects the text blocks a stub hands over
// through the registered message ".Ko_DebugMsg.". Used by the viewer helper program and by the
// tests that read a stub's console lines.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "sys/Platform.h"

namespace testkit {

class DebugViewer {
 public:
  // onBlock, when given, sees each block as it arrives (the helper program prints them).
  explicit DebugViewer(std::function<void(const std::string&)> onBlock = nullptr);
  ~DebugViewer();
  DebugViewer(const DebugViewer&) = delete;
  DebugViewer& operator=(const DebugViewer&) = delete;

  bool IsOpen() const { return window_ != nullptr; }
  const std::vector<std::string>& Blocks() const { return blocks_; }
  // All text received so far, blocks joined.
  std::string Text() const;
  // Complete lines (without their line ends) that begin with prefix, e.g. a process id.
  std::vector<std::string> LinesStartingWith(const std::string& prefix) const;
  void Clear() { blocks_.clear(); }

 private:
  static LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  HWND window_ = nullptr;
  UINT viewerMessage_ = 0;
  std::function<void(const std::string&)> onBlock_;
  std::vector<std::string> blocks_;
};

}  // namespace testkit
