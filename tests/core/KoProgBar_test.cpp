#include "ui/KoProgBar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace koprogbar;

namespace {

// Sink events and waits in the order they happen, as text: "sink kind max text step position"
// and "wait ms".
struct Recorder {
  std::vector<std::string> events;

  ProgressSink Sink() {
    return [this](int32_t kind, int32_t max, const std::string& text, int32_t step,
                  int32_t position) {
      events.push_back("sink " + std::to_string(kind) + " " + std::to_string(max) + " '" + text +
                       "' " + std::to_string(step) + " " + std::to_string(position));
    };
  }
  ProgressWait Wait() {
    return [this](uint32_t ms) { events.push_back("wait " + std::to_string(ms)); };
  }
};

using Events = std::vector<std::string>;

TEST(KoProgBar, EachEventReachesTheSinkBetweenItsWaits) {
  struct Case {
    const char* what;
    void (*act)(TProgBar&);
    Events expected;
  } cases[] = {
      {"range", [](TProgBar& bar) { bar.SetRange(1, 65); },
       {"wait 11", "sink 0 65 '' 1 1", "wait 12"}},
      {"step", [](TProgBar& bar) { bar.Step("12 KB of 520 KB"); },
       {"wait 21", "sink 1 0 '12 KB of 520 KB' 0 0", "wait 22"}},
      {"finish", [](TProgBar& bar) { bar.Finish(300, 700); },
       {"wait 300", "wait 31", "sink 0 0 '' 1 0", "wait 32", "wait 700"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Recorder recorder;
    {
      TProgBar bar(recorder.Sink(), recorder.Wait());
      bar.waits = {11, 12, 21, 22, 31, 32};
      c.act(bar);
      EXPECT_EQ(c.expected, recorder.events);
      bar.waits = {};
      recorder.events.clear();
    }
    // Destruction ends the run: Finish(0, 0).
    EXPECT_EQ((Events{"wait 0", "wait 0", "sink 0 0 '' 1 0", "wait 0", "wait 0"}), recorder.events);
  }
}

TEST(KoProgBar, ADownloadRunSendsRangeStepsAndFinish) {
  Recorder recorder;
  {
    TProgBar bar(recorder.Sink(), nullptr);  // no waiter: the events only reach the sink
    bar.SetRange(1, 3);
    bar.Step("a");
    bar.Step("b");
  }
  EXPECT_EQ((Events{"sink 0 3 '' 1 1", "sink 1 0 'a' 0 0", "sink 1 0 'b' 0 0", "sink 0 0 '' 1 0"}),
            recorder.events);
}

TEST(KoProgBar, WithoutSinkEventsOnlyWait) {
  Recorder recorder;
  {
    TProgBar bar(nullptr, recorder.Wait());
    bar.SetRange(0, 10);
    bar.Step("x");
    recorder.events.push_back("end");
  }
  EXPECT_EQ((Events{"wait 0", "wait 0", "wait 0", "wait 0", "end", "wait 0", "wait 0", "wait 0",
                    "wait 0"}),
            recorder.events);
}

TEST(KoProgBar, SharedReporterIsMadeOnceAndFinishesWhenReleased) {
  Recorder first, second;
  ASSERT_EQ(nullptr, SharedProgressBar());
  TProgBar& shared = EnsureProgressBar(first.Sink(), nullptr);
  EXPECT_EQ(&shared, SharedProgressBar());
  // A later call finds the reporter and keeps its sink.
  EXPECT_EQ(&shared, &EnsureProgressBar(second.Sink(), nullptr));
  shared.Step("s");
  EXPECT_EQ((Events{"sink 1 0 's' 0 0"}), first.events);
  EXPECT_TRUE(second.events.empty());

  ReleaseSharedProgressBar();
  EXPECT_EQ(nullptr, SharedProgressBar());
  EXPECT_EQ((Events{"sink 1 0 's' 0 0", "sink 0 0 '' 1 0"}), first.events);
  ReleaseSharedProgressBar();  // nothing left to release
  EXPECT_EQ(2u, first.events.size());
}

TEST(KoProgBar, SinkDuringReleaseSeesNoSharedReporter) {
  // The finish events dispatch messages; a handler running then must not reach the reporter
  // that is being destroyed.
  bool sawShared = true;
  EnsureProgressBar(
      [&sawShared](int32_t, int32_t, const std::string&, int32_t, int32_t) {
        sawShared = SharedProgressBar() != nullptr;
      },
      nullptr);
  ReleaseSharedProgressBar();
  EXPECT_FALSE(sawShared);
}

}  // namespace
