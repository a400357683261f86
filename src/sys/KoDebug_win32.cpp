// Debug log and console channel.
// This file must contain only Win32 code.
#include "sys/KoDebug.h"

#include <cstring>

#include "sys/DateText.h"
#include "sys/Host.h"
#include "sys/LogFormat.h"
#include "sys/Platform.h"
#include "sys/ScopedHandle.h"

namespace kodebug {
namespace {

bool g_logOn = false;
std::string g_marker = "   ";

// The standard text output device: 128 characters, handed to the viewer when full or when a
// line ends. Output may come from any thread, hence the lock.
class ConsoleChannel {
 public:
  static constexpr size_t kBufferSize = 128;

  ConsoleChannel() {
    ::InitializeCriticalSection(&lock_);
    viewerMessage_ = ::RegisterWindowMessageA(".Ko_DebugMsg.");
  }

  void Write(const char* text, size_t n) {
    ::EnterCriticalSection(&lock_);
    for (size_t i = 0; i < n; ++i) {
      buffer_[used_++] = text[i];
      const bool lineEnd = text[i] == '\n';
      if (used_ == kBufferSize || lineEnd) HandOver();
    }
    ::LeaveCriticalSection(&lock_);
  }

 private:
  // Called with the lock held. The viewer must read the atom's name before it returns from the
  // message: the atom is deleted right after.
  void HandOver() {
    if (used_ == 0) return;
    char text[kBufferSize + 1];
    std::memcpy(text, buffer_, used_);
    text[used_] = '\0';
    used_ = 0;
    HWND viewer = ::FindWindowA(".KoDebug.", nullptr);
    if (!viewer) return;
    sys::ScopedGlobalAtom atom(::GlobalAddAtomA(text));
    if (!atom) return;
    // A hung viewer must not freeze a setup: give up on it after a while.
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutA(viewer, viewerMessage_, 1, static_cast<LPARAM>(atom.Get()),
                          SMTO_NORMAL | SMTO_ABORTIFHUNG, 5000, &ignored);
  }

  CRITICAL_SECTION lock_;
  UINT viewerMessage_ = 0;
  char buffer_[kBufferSize] = {};
  size_t used_ = 0;
};

ConsoleChannel* g_console = nullptr;

}  // namespace

void SetDebugLogOn(bool on) { g_logOn = on; }
bool DebugLogOn() { return g_logOn; }
void SetLogMarker(const std::string& marker) { g_marker = marker; }

const std::string& LogFileName() {
  static const std::string name = LogFileNameFor(sys::ProgramPath());
  return name;
}

void DebugLog(const std::string& message) {
  if (!g_logOn) return;
  const std::string line = FormatLogLine(sys::LogStampNow(false), sys::ThreadId(), g_marker, message);
  sys::ScopedFileHandle file(::CreateFileA(LogFileName().c_str(), GENERIC_WRITE,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return;  // the line is lost; nothing to report it to
  ::SetFilePointer(file.Get(), 0, nullptr, FILE_END);
  DWORD written = 0;
  ::WriteFile(file.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

void InstallConsoleChannel() {
  static ConsoleChannel channel;  // lives until the process ends
  g_console = &channel;
}

void ConsoleWrite(const std::string& text) {
  if (g_console) g_console->Write(text.data(), text.size());
}

void ConsoleLine(const std::string& text) { ConsoleWrite(text + "\r\n"); }

void ConsoleProcessLine(const std::string& text) {
  ConsoleLine(std::to_string(sys::ProcessId()) + text);
}

}  // namespace kodebug
