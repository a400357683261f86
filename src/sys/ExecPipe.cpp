// This file must contain only truly operating-system independent code.
#include "sys/ExecPipe.h"

namespace sys {
namespace {

constexpr size_t kFailureCommandChars = 256;
constexpr uint32_t kIdlePollMs = 100;
constexpr uint32_t kCallbackPollMs = 1;
constexpr uint32_t kShortestShrunkPollMs = 10;
constexpr uint32_t kPollShrinkMs = 10;

}  // namespace

std::string CaptureCommandLine(const std::string& Program, const std::string& Params) {
  bool quote = Program.find(' ') != std::string::npos && Program.find('"') == std::string::npos;
  std::string line = quote ? "\"" + Program + "\"" : Program;
  if (!Params.empty()) line += " " + Params;
  return line;
}

std::string CaptureStartFailure(const std::string& CommandLine,
                                const std::string& SystemMessage) {
  if (CommandLine.size() > kMaxCommandLine) return "Command line is too long";
  return CommandLine.substr(0, kFailureCommandChars) + " --- " + SystemMessage;
}

uint32_t FirstPollInterval(bool HasCallback) {
  return HasCallback ? kCallbackPollMs : kIdlePollMs;
}

uint32_t NextPollInterval(uint32_t Interval, bool OutputSeen) {
  if (!OutputSeen || Interval <= kShortestShrunkPollMs) return Interval;
  return Interval - kPollShrinkMs;
}

}  // namespace sys
