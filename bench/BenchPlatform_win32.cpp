// The stub's own extraction host, so that the figures are those of stub.exe's file writes.
#include <algorithm>
#include <chrono>

#include "BenchPlatform.h"
#include "stub/UnPackWinHost.h"
#include "sys/Platform.h"
// After <windows.h>, which it needs.
#include <psapi.h>

namespace bench {
namespace {

constexpr UINT kProbeMessage = WM_APP + 15;

// How often the host really dispatches messages during the extractions: one probe message
// waits in the queue at all times. Each dispatch handles it and notes the time; the host's next
// Pump posts the next probe. The longest time between two dispatches (and from the start or to
// the end of an extraction) is what a window would wait at worst for its messages.
class DispatchProbe {
 public:
  static DispatchProbe& Instance() {
    static DispatchProbe probe;
    return probe;
  }
  DispatchProbe() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "ExtractBenchProbe";
    ::RegisterClassA(&wc);
    window_ = ::CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              wc.hInstance, nullptr);
  }
  void Start() {
    last_ = SecondsNow();
    Post();
  }
  void AfterPump() {
    if (!waiting_) Post();
  }
  void Stop() {
    Note();
    MSG message;  // the probe left waiting is taken back, so the next extraction starts clean
    while (::PeekMessageA(&message, window_, kProbeMessage, kProbeMessage, PM_REMOVE)) {}
    waiting_ = false;
  }
  std::string Report() const {
    if (dispatches_ == 0) return "no message dispatched during the extractions";
    return std::to_string(dispatches_) + " dispatches during the extractions, longest time "
           "without one " + std::to_string(static_cast<int>(longest_ * 1000 + 0.5)) + " ms";
  }

 private:
  static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != kProbeMessage) return ::DefWindowProcA(wnd, msg, wParam, lParam);
    Instance().Note();
    Instance().waiting_ = false;
    ++Instance().dispatches_;
    return 0;
  }
  void Post() { waiting_ = window_ && ::PostMessageA(window_, kProbeMessage, 0, 0); }
  void Note() {
    const double now = SecondsNow();
    longest_ = std::max(longest_, now - last_);
    last_ = now;
  }

  HWND window_ = nullptr;
  bool waiting_ = false;
  double last_ = 0, longest_ = 0;
  uint64_t dispatches_ = 0;
};

// The stub's host but for its fixed waits (500 ms at the end of an extraction), which are
// pacing, not work: they are counted instead of waited for. Its dispatches are watched.
class PacedHost final : public stubwin::UnPackWinHost {
 public:
  PacedHost() { DispatchProbe::Instance().Start(); }
  ~PacedHost() override { DispatchProbe::Instance().Stop(); }
  void Pump() override {
    stubwin::UnPackWinHost::Pump();
    DispatchProbe::Instance().AfterPump();
  }
  void DelayPumping(uint32_t ms) override { PacingMs() += ms; }
};

}  // namespace

std::string DispatchReport() { return DispatchProbe::Instance().Report(); }

uint64_t& PacingMs() {
  static uint64_t ms = 0;
  return ms;
}

std::unique_ptr<pack::UnPackHost> MakeFileHost() {
  return std::unique_ptr<pack::UnPackHost>(new PacedHost);
}

std::string NativePath(const std::string& path) {
  std::string out = path;
  for (char& c : out)
    if (c == '/') c = '\\';
  // A Linux path is reached through drive Z: under Wine.
  return !out.empty() && out[0] == '\\' ? "Z:" + out : out;
}

uint64_t PeakMemoryBytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters)) return 0;
  return counters.PeakWorkingSetSize;
}

double SecondsNow() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace bench
