// Waiting on the one thread of the program while its windows stay alive: every wait dispatches
// the thread's pending messages, so timers, paint and close requests are handled during long
// work. Win32 (Pumping_win32.cpp) but for the step rule, which is plain arithmetic (Pumping.cpp).
#pragma once

#include <cstdint>

namespace sys {

// The step of a wait of Ms milliseconds: Step itself, or when Step is 0, Ms / 10 kept within 1
// and 25, so that short waits stay short and long ones still dispatch often.
uint32_t PumpingStep(uint32_t Step, uint32_t Ms);

// Milliseconds from the high-resolution performance counter.
int64_t MillisecondClock();

// A quit request (WM_QUIT) is the business of the loop that runs the thread's windows, which
// may be waiting for the wait to end. A wait that takes it out of the queue posts it again with
// its exit code and ends at once, without dispatching more: the program is ending. Later waits
// dispatch nothing while it is still queued, but last their time, so that a caller polling for
// its own condition does not spin; once the loop has taken the quit they dispatch again.

// Dispatches every pending message of the thread, then sleeps Ms milliseconds.
void YieldX(uint32_t Ms);

// Repeats YieldX(PumpingStep(Step, Ms)) until MillisecondClock has advanced by at least Ms; the
// queue is dispatched at least once, even for a wait of 0. With less than a millisecond left
// it yields (YieldX(0)) instead of sleeping a whole step, so short waits keep their length.
void DelayPumping(uint32_t Step, uint32_t Ms);
// DelayPumping(0, Ms).
void DelayPumping(uint32_t Ms);

// Whether a paced dispatch is due: at least Interval milliseconds from Last to Now, read from a
// 32-bit millisecond clock that wraps around.
bool PumpDue(uint32_t Last, uint32_t Now, uint32_t Interval);

// For work that wants the queue dispatched between its small steps: a dispatch is a round trip
// to the window system, and under Wine one to its server, which costs more than inflating and
// writing a step's data. Pump dispatches only when IntervalMs or more have passed since the last
// dispatch it made; otherwise it reads the performance counter (MillisecondClock), a fraction of
// a microsecond, and returns. Dispatches come at most IntervalMs apart plus the time between two
// calls. Unlike YieldX(0), a dispatch never gives the processor away (no Sleep(0), no look into
// an empty queue, which yields under Wine): on a busy machine each of those cost a whole time
// slice of another program.
class PacedPump {
 public:
  explicit PacedPump(uint32_t IntervalMs);
  void Pump();

 private:
  uint32_t interval_;
  uint32_t last_;
};

}  // namespace sys
