// This file must contain only Win32 code.
#include "sys/Pumping.h"

#include "sys/LibraryEntry.h"
#include "sys/Platform.h"

#include <mmsystem.h>

#include <algorithm>

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

// What a dispatch met.
enum class Pumped {
  kDispatched,   // the queue's messages, until it was empty
  kQuitArrived,  // a quit request, put back: the wait ends
  kQuitPending,  // the quit request a wait before has put back: nothing is dispatched
};

// A quit request belongs to the loop that runs the thread's windows, which may be waiting for
// this wait to end: a wait that takes WM_QUIT out of the queue posts it again, with its exit
// code, and dispatches nothing more (the program is ending). Taking the re-posted quit again at
// once would spin, so later waits only make sure it is still queued for that loop and dispatch
// nothing; once the loop has taken it, they dispatch again. One thread runs the windows.
bool QuitPutBack = false;

void PutQuitBack(const MSG& quit) {
  ::PostQuitMessage(static_cast<int>(quit.wParam));
  QuitPutBack = true;
}

// Whether the quit request a wait has put back is still queued. GetMessage and PeekMessage
// hand WM_QUIT out whatever their filter, so this takes nothing else.
bool QuitStillQueued() {
  MSG quit;
  if (!::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) return QuitPutBack = false;
  PutQuitBack(quit);
  return true;
}

Pumped DispatchPendingMessages(QueueEnd end) {
  if (QuitPutBack && QuitStillQueued()) return Pumped::kQuitPending;
  MSG message;
  while ((end == QueueEnd::kPeekedEmpty || HIWORD(::GetQueueStatus(QS_ALLINPUT)) != 0) &&
         ::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PutQuitBack(message);
      return Pumped::kQuitArrived;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  return Pumped::kDispatched;
}

}  // namespace

int64_t MillisecondClock() { return MicrosecondClock() / 1000; }

// The handlers report their failures through their results; none raises an error that could
// end the wait here.
// A wait after the quit request still lasts its time: a caller that polls for its own
// condition (a setup engine's end, say) would otherwise spin.
void YieldX(uint32_t Ms) {
  if (DispatchPendingMessages(QueueEnd::kPeekedEmpty) == Pumped::kQuitArrived) return;
  ::Sleep(Ms);
}

void DelayPumping(uint32_t Step, uint32_t Ms) {
  FineTimerResolution fineTimer;
  uint32_t step = PumpingStep(Step, Ms);
  const int64_t end = MicrosecondClock() + static_cast<int64_t>(Ms) * 1000;
  int64_t left = end - MicrosecondClock();
  do {
    const Pumped pumped = DispatchPendingMessages(QueueEnd::kPeekedEmpty);
    if (pumped == Pumped::kQuitArrived) return;
    if (pumped == Pumped::kQuitPending) {
      ::Sleep(static_cast<DWORD>((std::max<int64_t>(left, 0) + 999) / 1000));
      return;
    }
    // Less than a millisecond to go: a whole step would stretch a short wait by half or more
    // (a download pauses 2 ms per chunk), so the rest is yielded away instead.
    ::Sleep(left >= 1000 ? step : 0);
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
