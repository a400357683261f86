// This file must contain only Win32 code.
#include "sys/Pumping.h"

#include "sys/LibraryEntry.h"
#include "sys/Platform.h"

#include <mmsystem.h>

namespace sys {
namespace {

// The system timer ticks every 15.6 ms by default, so Sleep(1) would last a whole tick and a
// wait of 100 ms in steps of 10 ms would take 160 ms. For the length of a wait the timer runs
// at 1 ms; the requests nest, so waits inside message handlers are fine. WINMM.dll is no "known
// DLL": it is bound from the system folder, and without it waits keep the coarse timer.
using TimerPeriodFn = MMRESULT(WINAPI*)(UINT);

TimerPeriodFn TimerPeriodEntry(const char* Name) {
  return EntryPointAs<TimerPeriodFn>(LibraryEntryPoint("winmm.dll", Name));
}

class FineTimerResolution {
 public:
  // Raised only where it can be lowered again.
  FineTimerResolution() : raised_(Begin() && End() && Begin()(1) == TIMERR_NOERROR) {}
  ~FineTimerResolution() {
    if (raised_) End()(1);
  }
  FineTimerResolution(const FineTimerResolution&) = delete;
  FineTimerResolution& operator=(const FineTimerResolution&) = delete;

 private:
  static TimerPeriodFn Begin() {
    static const TimerPeriodFn begin = TimerPeriodEntry("timeBeginPeriod");
    return begin;
  }
  static TimerPeriodFn End() {
    static const TimerPeriodFn end = TimerPeriodEntry("timeEndPeriod");
    return end;
  }

  bool raised_;
};

// Counter ticks per second, or 0 when the system has no performance counter.
int64_t CounterFrequency() {
  LARGE_INTEGER frequency{};
  if (!::QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0) return 0;
  return frequency.QuadPart;
}

// Whole seconds and the rest apart, so that the product cannot overflow.
int64_t ScaledCount(int64_t Ticks, int64_t Frequency, int64_t Unit) {
  return Ticks / Frequency * Unit + Ticks % Frequency * Unit / Frequency;
}

// Waits measure in microseconds: with whole milliseconds at both ends a wait could end up to
// one millisecond short.
int64_t MicrosecondClock() {
  static const int64_t frequency = CounterFrequency();
  LARGE_INTEGER counter{};
  if (frequency == 0 || !::QueryPerformanceCounter(&counter))
    return static_cast<int64_t>(::GetTickCount()) * 1000;
  return ScaledCount(counter.QuadPart, frequency, 1000000);
}

// How a dispatch ends. A PeekMessage that finds the queue empty also yields the processor under
// Wine, and on a busy machine that costs a time slice of another program, every time; asking the
// queue first (GetQueueStatus) ends without that look.
enum class QueueEnd { kPeekedEmpty, kAskedFirst };

void DispatchPendingMessages(QueueEnd end) {
  MSG message;
  while ((end == QueueEnd::kPeekedEmpty || HIWORD(::GetQueueStatus(QS_ALLINPUT)) != 0) &&
         ::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

}  // namespace

int64_t MillisecondClock() { return MicrosecondClock() / 1000; }

// The handlers report their failures through their results; none raises an error that could
// end the wait here.
void YieldX(uint32_t Ms) {
  DispatchPendingMessages(QueueEnd::kPeekedEmpty);
  ::Sleep(Ms);
}

void DelayPumping(uint32_t Step, uint32_t Ms) {
  FineTimerResolution fineTimer;
  uint32_t step = PumpingStep(Step, Ms);
  const int64_t end = MicrosecondClock() + static_cast<int64_t>(Ms) * 1000;
  int64_t left = end - MicrosecondClock();
  do {
    // Less than a millisecond to go: a whole step would stretch a short wait by half or more
    // (a download pauses 2 ms per chunk), so the rest is yielded away instead.
    YieldX(left >= 1000 ? step : 0);
    left = end - MicrosecondClock();
  } while (left > 0);
}

void DelayPumping(uint32_t Ms) { DelayPumping(0, Ms); }

// Not the tick count: on Windows it moves in steps of about 16 ms, and under Wine only when
// the Wine server wakes, 16 to 24 ms apart while an extraction makes no server calls. Either
// stretches a short interval to that step.
PacedPump::PacedPump(uint32_t IntervalMs)
    : interval_(IntervalMs), last_(static_cast<uint32_t>(MillisecondClock())) {}

void PacedPump::Pump() {
  const uint32_t now = static_cast<uint32_t>(MillisecondClock());
  if (!PumpDue(last_, now, interval_)) return;
  DispatchPendingMessages(QueueEnd::kAskedFirst);
  last_ = now;
}

}  // namespace sys
