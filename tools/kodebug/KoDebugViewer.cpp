// Debug viewer helper: opens a hidden ".KoDebug." window and writes every text block that a
// stub hands over to standard output (or to a file), as it arrives.
//   kodebug-viewer [--out FILE] [--seconds N] [--ready FILE]
// With --seconds it ends after N seconds; otherwise it runs until it is stopped. With --ready it
// creates FILE once its window is open, so a script knows when to start the stub.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "DebugViewer.h"
#include "Processes.h"

int main(int argc, char** argv) {
  const char* outPath = nullptr;
  const char* readyPath = nullptr;
  long seconds = -1;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (!std::strcmp(argv[i], "--out")) outPath = argv[i + 1];
    else if (!std::strcmp(argv[i], "--seconds")) seconds = std::strtol(argv[i + 1], nullptr, 10);
    else if (!std::strcmp(argv[i], "--ready")) readyPath = argv[i + 1];
  }
  FILE* out = outPath ? std::fopen(outPath, "ab") : stdout;
  if (!out) {
    std::fprintf(stderr, "kodebug-viewer: cannot open %s\n", outPath);
    return 1;
  }
  testkit::DebugViewer viewer([out](const std::string& block) {
    std::fwrite(block.data(), 1, block.size(), out);
    std::fflush(out);
  });
  if (!viewer.IsOpen()) {
    std::fprintf(stderr, "kodebug-viewer: cannot create the viewer window\n");
    return 1;
  }
  if (readyPath) {
    if (FILE* ready = std::fopen(readyPath, "wb")) std::fclose(ready);
  }
  const DWORD started = ::GetTickCount();
  while (seconds < 0 || ::GetTickCount() - started < static_cast<DWORD>(seconds) * 1000)
    testkit::PumpFor(100);
  return 0;
}
