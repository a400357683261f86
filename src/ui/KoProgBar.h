// A progress reporter that knows nothing about windows. The code doing the work tells it that a
// run of steps starts, that one more step is done, and that the run is over; the reporter hands
// each event to the sink it was made with. Around every event it waits through the waiter it
// was made with; the Win32 side passes one that dispatches pending messages (also for a wait of
// 0), so windows stay responsive during long runs.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace koprogbar {

enum ProgressKind : int32_t {
  kProgressRange = 0,  // a run of max steps starting at position (max 0: no run); step is 1
  kProgressStep = 1,   // one more step; text describes the progress, the numbers are 0
};

// Receives (kind, max, text, step, position). A plain function converts to it, so a sink that
// moves real progress controls plugs in as well as a recorder in a test.
using ProgressSink = std::function<void(int32_t kind, int32_t max, const std::string& text,
                                        int32_t step, int32_t position)>;
// Waits ms milliseconds.
using ProgressWait = std::function<void(uint32_t ms)>;

// Milliseconds waited before and after each event; all 0 unless a caller sets them.
struct ProgressWaits {
  uint32_t rangeBefore = 0, rangeAfter = 0;
  uint32_t stepBefore = 0, stepAfter = 0;
  uint32_t finishBefore = 0, finishAfter = 0;
};

class TProgBar {
 public:
  // Without a sink the events only wait; without a waiter they do not wait.
  explicit TProgBar(ProgressSink sink = nullptr, ProgressWait wait = nullptr);
  // Ends the run: Finish(0, 0).
  ~TProgBar();
  TProgBar(const TProgBar&) = delete;
  TProgBar& operator=(const TProgBar&) = delete;

  // A run of max steps starting at position.
  void SetRange(int32_t position, int32_t max);
  // One more step done.
  void Step(const std::string& text);
  // The run is over; waitBefore and waitAfter are waited around the finish waits.
  void Finish(uint32_t waitBefore, uint32_t waitAfter);

  ProgressWaits waits;

 private:
  void Wait(uint32_t ms) const;
  void Send(int32_t kind, int32_t max, const std::string& text, int32_t step,
            int32_t position) const;

  ProgressSink sink_;
  ProgressWait wait_;
};

// The reporter shared by the whole program: made on the first call with sink and wait (later
// calls return it unchanged and ignore their arguments), kept until ReleaseSharedProgressBar.
TProgBar& EnsureProgressBar(ProgressSink sink, ProgressWait wait);
// The shared reporter, or nullptr while there is none.
TProgBar* SharedProgressBar();
// Destroys the shared reporter, which finishes its run through the sink. Call it at program
// end, while whatever the sink drives still exists, and never from inside one of its events.
void ReleaseSharedProgressBar();

}  // namespace koprogbar
