// Download speed of the stub's HTTP client, run on demand by bench/run-download under Wine:
//   download_bench URL DESTFILE   downloads URL into DESTFILE (through the shared progress
//                                 reporter, as the web installer does) and prints the time, the
//                                 chunks read and the time their fixed 2 ms pauses account for
#include <chrono>
#include <cstdio>
#include <string>

#include "net/InetHTTP.h"
#include "net/InetRules.h"
#include "sys/Files.h"
#include "sys/Pumping.h"
#include "ui/KoProgBar.h"

namespace {

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// What the pauses of a download of that many chunks really take here, without any transfer.
double MeasuredPacing(int chunks) {
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i <= chunks; ++i) sys::DelayPumping(inethttp::kReadPauseMs);
  return SecondsSince(start);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: download_bench URL DESTFILE\n");
    return 2;
  }
  int steps = 0;
  koprogbar::TProgBar bar([&steps](int32_t kind, int32_t, const std::string&, int32_t, int32_t) {
    steps += kind == koprogbar::kProgressStep;
  });
  std::string content, error;
  const auto start = std::chrono::steady_clock::now();
  inethttp::HTTP_DownloadFile_Incremental(0, argv[1], argv[2], &bar, content, error);
  const double seconds = SecondsSince(start);
  if (!error.empty()) {
    std::fprintf(stderr, "download_bench: %s\n", error.c_str());
    return 1;
  }
  // One pause before every read: the chunks, and the final read that finds the end.
  const double pacing = (steps + 1) * inethttp::kReadPauseMs / 1000.0;
  std::printf("stub %.3f s for %llu bytes in %d chunks; the 2 ms pauses account for %.3f s\n",
              seconds, static_cast<unsigned long long>(sys::GetFileSizeByName(argv[2])), steps,
              pacing);
  std::printf("as waited here, without a transfer, those pauses take %.3f s\n",
              MeasuredPacing(steps));
  return 0;
}
