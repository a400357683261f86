// boxdriver: waits for a stub's message box, prints what it shows and answers it.
//
//   boxdriver [--pid N] [--wait MS] [--shot FILE.bmp] [--answer WHAT] [--gone MS]
//
// WHAT is "button:Yes", "key:Y", "key:Enter", "alt:N", "escape", "close" or "none" (the
// default: leave the box to its time-out). Exit code 0 when the box was found and answered (and,
// with --gone, closed within MS milliseconds), 1 when no box came, 2 for bad arguments, 3 when
// the answer could not be given or the box stayed.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "BoxDriver.h"

namespace {

struct Options {
  DWORD pid = 0;
  unsigned waitMs = 10000;
  unsigned goneMs = 0;
  std::string shot;
  testkit::BoxAnswer answer;
};

bool ParseArgs(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (i + 1 >= argc) return false;
    const std::string value = argv[++i];
    if (arg == "--pid")
      o.pid = static_cast<DWORD>(std::strtoul(value.c_str(), nullptr, 10));
    else if (arg == "--wait")
      o.waitMs = static_cast<unsigned>(std::strtoul(value.c_str(), nullptr, 10));
    else if (arg == "--gone")
      o.goneMs = static_cast<unsigned>(std::strtoul(value.c_str(), nullptr, 10));
    else if (arg == "--shot")
      o.shot = value;
    else if (arg != "--answer" || !testkit::ParseBoxAnswer(value, o.answer))
      return false;
  }
  return true;
}

int Drive(const Options& o) {
  const HWND box = testkit::WaitForBox(o.waitMs, o.pid);
  if (!box) {
    std::fprintf(stderr, "boxdriver: no message box within %u ms\n", o.waitMs);
    return 1;
  }
  testkit::BoxReport report;
  testkit::ReadBox(box, report);
  std::fputs(report.Describe().c_str(), stdout);
  if (!o.shot.empty() && !testkit::SaveBoxImage(box, o.shot))
    std::fprintf(stderr, "boxdriver: could not save %s\n", o.shot.c_str());
  if (!testkit::AnswerBox(box, o.answer)) return 3;
  if (o.goneMs && !testkit::WaitForBoxGone(box, o.goneMs)) return 3;
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseArgs(argc, argv, options)) {
    std::fputs(
        "usage: boxdriver [--pid N] [--wait MS] [--shot FILE.bmp] [--answer WHAT] [--gone MS]\n"
        "  WHAT: button:CAPTION | key:K | alt:K | escape | close | none\n",
        stderr);
    return 2;
  }
  const int code = Drive(options);
  std::fflush(stdout);
  return code;
}
