// boxdriver: waits for a stub's message box, prints what it shows and answers it.
//
//   boxdriver [--pid N] [--wait MS] [--shot FILE.bmp] [--answer WHAT] [--gone MS]
//   boxdriver --title TEXT [--pid N] [--wait MS] [--shot FILE.bmp]
//
// With --title it waits for a shown window of that exact title instead (a setup's progress
// window, say), takes its picture and leaves it alone.
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
  std::string title;
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
    else if (arg == "--title")
      o.title = value;
    else if (arg != "--answer" || !testkit::ParseBoxAnswer(value, o.answer))
      return false;
  }
  return true;
}

bool SaveShot(HWND wnd, const Options& o) {
  if (o.shot.empty() || testkit::SaveBoxImage(wnd, o.shot)) return true;
  std::fprintf(stderr, "boxdriver: could not save %s\n", o.shot.c_str());
  return false;
}

int Photograph(const Options& o) {
  const HWND wnd = testkit::WaitForWindowTitled(o.title, o.waitMs, o.pid);
  if (!wnd) {
    std::fprintf(stderr, "boxdriver: no window titled \"%s\" within %u ms\n", o.title.c_str(),
                 o.waitMs);
    return 1;
  }
  std::printf("window: %s\n", o.title.c_str());
  return SaveShot(wnd, o) ? 0 : 3;
}

int Drive(const Options& o) {
  if (!o.title.empty()) return Photograph(o);
  const HWND box = testkit::WaitForBox(o.waitMs, o.pid);
  if (!box) {
    std::fprintf(stderr, "boxdriver: no message box within %u ms\n", o.waitMs);
    return 1;
  }
  testkit::BoxReport report;
  testkit::ReadBox(box, report);
  std::fputs(report.Describe().c_str(), stdout);
  SaveShot(box, o);
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
        "       boxdriver --title TEXT [--pid N] [--wait MS] [--shot FILE.bmp]\n"
        "  WHAT: button:CAPTION | key:K | alt:K | escape | close | none\n",
        stderr);
    return 2;
  }
  const int code = Drive(options);
  std::fflush(stdout);
  return code;
}
