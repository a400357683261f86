// agentctl: talks to a running agent as an installed product does, for trying things by hand.
//   agentctl CLASS [--listen] [--send COMMAND ARGUMENT]... [--shutdown TICKS] [--wait SECONDS]
// CLASS is the agent's window class (".AutoUpdate." and its file name without extension).
// --listen registers as listener and prints every notification until --wait runs out or the
// agent ends; --send prints the answer of a wm_AgentMsg command.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "AgentProbe.h"
#include "Processes.h"

namespace {

void PrintNotifications(const testkit::AgentProbe& probe, size_t& printed) {
  for (; printed < probe.Received().size(); ++printed) {
    const testkit::Notification& n = probe.Received()[printed];
    std::printf("notification %u %ld\n", static_cast<unsigned>(n.code), static_cast<long>(n.value));
  }
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: agentctl CLASS [--listen] [--send C A]... [--shutdown N] [--wait S]\n");
    return 2;
  }
  HWND agent = ::FindWindowA(argv[1], nullptr);
  if (!agent) {
    std::fprintf(stderr, "agentctl: no window of class %s\n", argv[1]);
    return 1;
  }
  testkit::AgentProbe probe;
  long waitSeconds = 0;
  for (int i = 2; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--listen")) {
      probe.Register(agent);
    } else if (!std::strcmp(argv[i], "--send") && i + 2 < argc) {
      const long command = std::strtol(argv[i + 1], nullptr, 10);
      const long argument = std::strtol(argv[i + 2], nullptr, 10);
      std::printf("answer %ld %ld: %lld\n", command, argument,
                  static_cast<long long>(probe.Send(agent, command, argument)));
      i += 2;
    } else if (!std::strcmp(argv[i], "--shutdown") && i + 1 < argc) {
      probe.Post(agent, 1123, std::strtoul(argv[++i], nullptr, 10), 0);
    } else if (!std::strcmp(argv[i], "--wait") && i + 1 < argc) {
      waitSeconds = std::strtol(argv[++i], nullptr, 10);
    }
  }
  size_t printed = 0;
  for (long waited = 0; waited < waitSeconds * 10 && ::IsWindow(agent); ++waited) {
    testkit::PumpFor(100);
    PrintNotifications(probe, printed);
  }
  testkit::PumpFor(200);
  PrintNotifications(probe, printed);
  return 0;
}
