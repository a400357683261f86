// The stub's own extraction host, so that the figures are those of stub.exe's file writes.
#include <chrono>

#include "BenchPlatform.h"
#include "stub/UnPackWinHost.h"
#include "sys/Platform.h"
// After <windows.h>, which it needs.
#include <psapi.h>

namespace bench {
namespace {

// The stub's host but for its fixed waits (500 ms at the end of an extraction), which are
// pacing, not work: they are counted instead of waited for.
class PacedHost final : public stubwin::UnPackWinHost {
 public:
  void DelayPumping(uint32_t ms) override { PacingMs() += ms; }
};

}  // namespace

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
