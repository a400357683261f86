// Waits on the program's one thread: they keep dispatching the thread's messages and last at
// least as long as asked.
#include "sys/Pumping.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <thread>

#include "sys/Platform.h"

namespace {

constexpr UINT kProbeMessage = WM_APP + 7;

// A hidden window that counts the messages it is handed.
class CountingWindow {
 public:
  CountingWindow() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "PumpingTestWindow";
    ::RegisterClassA(&wc);  // a second registration fails harmlessly
    window_ = ::CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              wc.hInstance, nullptr);
    ::SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~CountingWindow() { ::DestroyWindow(window_); }
  HWND Get() const { return window_; }
  int probes = 0;
  int timers = 0;

 private:
  static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<CountingWindow*>(::GetWindowLongPtrA(wnd, GWLP_USERDATA));
    if (self && msg == kProbeMessage) ++self->probes;
    if (self && msg == WM_TIMER) ++self->timers;
    return ::DefWindowProcA(wnd, msg, wParam, lParam);
  }
  HWND window_ = nullptr;
};

// Elapsed milliseconds straight from the performance counter, independent of MillisecondClock.
class Stopwatch {
 public:
  Stopwatch() {
    ::QueryPerformanceFrequency(&frequency_);
    ::QueryPerformanceCounter(&start_);
  }
  double Ms() const {
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart - start_.QuadPart) /
           static_cast<double>(frequency_.QuadPart);
  }

 private:
  LARGE_INTEGER frequency_{}, start_{};
};

TEST(MillisecondClock, FollowsRealTime) {
  int64_t before = sys::MillisecondClock();
  ::Sleep(50);
  int64_t elapsed = sys::MillisecondClock() - before;
  EXPECT_GE(elapsed, 49);
  EXPECT_LT(elapsed, 1000);
}

TEST(DelayPumping, WaitsAtLeastAsLongAsAsked) {
  const uint32_t waits[] = {1, 2, 15, 30, 100};
  for (uint32_t ms : waits) {
    SCOPED_TRACE(ms);
    Stopwatch watch;
    sys::DelayPumping(ms);
    double elapsed = watch.Ms();
    EXPECT_GE(elapsed, ms - 0.01);  // both read the same counter, rounded differently
    // It ends: a bound on the time a loaded machine, or an emulator, may add to the wait.
    EXPECT_LT(elapsed, ms + 5000.0);
  }
}

TEST(DelayPumping, SleepsInWholeSteps) {
  Stopwatch watch;
  sys::DelayPumping(60, 100);  // two steps of 60 ms
  EXPECT_GE(watch.Ms(), 119.9);
}

TEST(DelayPumping, AWaitOfZeroStillDispatchesTheQueueOnce) {
  CountingWindow window;
  ASSERT_NE(window.Get(), nullptr);
  ::PostMessageA(window.Get(), kProbeMessage, 0, 0);
  ::PostMessageA(window.Get(), kProbeMessage, 0, 0);
  Stopwatch watch;
  sys::DelayPumping(0);
  EXPECT_EQ(window.probes, 2);
  EXPECT_LT(watch.Ms(), 100.0);
}

TEST(DelayPumping, DispatchesBetweenItsSteps) {
  CountingWindow window;
  ASSERT_NE(window.Get(), nullptr);
  ::SetTimer(window.Get(), 1, 10, nullptr);
  sys::DelayPumping(0, 200);
  ::KillTimer(window.Get(), 1);
  // A timer message is made only when the queue is looked at, so several of them mean the
  // queue was dispatched again and again during the wait.
  EXPECT_GE(window.timers, 4);
}

TEST(YieldX, DispatchesThenSleeps) {
  CountingWindow window;
  ASSERT_NE(window.Get(), nullptr);
  ::PostMessageA(window.Get(), kProbeMessage, 0, 0);
  Stopwatch watch;
  sys::YieldX(20);
  EXPECT_EQ(window.probes, 1);
  EXPECT_GE(watch.Ms(), 19.0);
}

TEST(PacedPump, DispatchesOnlyOnceItsIntervalHasPassed) {
  CountingWindow window;
  ASSERT_NE(window.Get(), nullptr);
  ::PostMessageA(window.Get(), kProbeMessage, 0, 0);
  sys::PacedPump slow(3600000);  // an hour: never due within the test
  slow.Pump();
  EXPECT_EQ(window.probes, 0);
  sys::PacedPump always(0);
  always.Pump();
  EXPECT_EQ(window.probes, 1);
  ::PostMessageA(window.Get(), kProbeMessage, 0, 0);
  always.Pump();
  EXPECT_EQ(window.probes, 2);
}

TEST(PacedPump, IsDueAsSoonAsThePerformanceCounterShowsTheInterval) {
  CountingWindow window;
  ASSERT_NE(window.Get(), nullptr);
  // Spinning makes no call into the system: under Wine the tick count stands still meanwhile,
  // often for 16 ms or more, and a pump that read it would seldom be due in each of the rounds.
  for (int round = 1; round <= 4; ++round) {
    ::PostMessageA(window.Get(), kProbeMessage, 0, 0);
    sys::PacedPump paced(5);
    Stopwatch watch;
    while (watch.Ms() < 7.0) {}
    paced.Pump();
    EXPECT_EQ(window.probes, round);
  }
}

// Waits until the thread's queue reports kinds of message (QS_ flags); false after 10 s.
bool QueueShows(UINT kinds) {
  Stopwatch watch;
  while (!(HIWORD(::GetQueueStatus(QS_ALLINPUT)) & kinds)) {
    if (watch.Ms() > 10000) return false;
    ::Sleep(1);
  }
  return true;
}

// The paced pump looks into the queue before it takes a message: whatever the queue holds must
// show there, or it would wait unseen. A due pump empties the queue of every kind.
TEST(PacedPump, ADuePumpHandlesEveryKindOfQueuedMessage) {
  CountingWindow window;
  ASSERT_NE(window.Get(), nullptr);
  sys::PacedPump always(0);
  ::PostMessageA(window.Get(), kProbeMessage, 0, 0);
  ::PostMessageA(window.Get(), kProbeMessage, 0, 0);
  always.Pump();
  EXPECT_EQ(window.probes, 2) << "posted messages";

  ASSERT_NE(::SetTimer(window.Get(), 1, 1, nullptr), 0u);
  ASSERT_TRUE(QueueShows(QS_TIMER));
  always.Pump();
  ::KillTimer(window.Get(), 1);
  EXPECT_GE(window.timers, 1) << "a timer that has fired";

  // Another thread's SendMessage waits for this thread to take it.
  LRESULT sent = 0;
  std::thread sender([&] {
    DWORD_PTR result = 0;
    sent = ::SendMessageTimeoutA(window.Get(), kProbeMessage, 0, 0, SMTO_NORMAL, 20000, &result);
  });
  const bool shown = QueueShows(QS_SENDMESSAGE);
  always.Pump();
  sender.join();
  ASSERT_TRUE(shown);
  EXPECT_NE(sent, 0) << "the sender was answered";
  EXPECT_EQ(window.probes, 3) << "a message sent from another thread";
}

// ---- The quit request ---------------------------------------------------------------------

// How the program's outer loop ended: GetMessage until WM_QUIT, dispatching the rest. A thread
// timer keeps it from waiting for ever: the system hands out a queued quit before any timer
// message, so the timer's message means that no quit was queued.
struct OuterLoopEnd {
  bool quit = false;
  int exitCode = 0;
};

OuterLoopEnd RunOuterLoop() {
  const UINT_PTR guard = ::SetTimer(nullptr, 0, 10, nullptr);
  OuterLoopEnd end;
  MSG msg;
  for (BOOL got; (got = ::GetMessageA(&msg, nullptr, 0, 0)) != -1;) {
    if (got == 0) {
      end = {true, static_cast<int>(msg.wParam)};
      break;
    }
    if (msg.message == WM_TIMER && msg.hwnd == nullptr && msg.wParam == guard) break;
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  ::KillTimer(nullptr, guard);
  return end;
}

TEST(QuitRequest, PostedBeforeAWaitItReachesTheOuterLoopWithItsExitCode) {
  struct Case {
    const char* wait;
    std::function<void()> run;
  } cases[] = {
      {"DelayPumping(0, 50)", [] { sys::DelayPumping(0, 50); }},
      {"DelayPumping(0)", [] { sys::DelayPumping(0); }},
      {"YieldX(1)", [] { sys::YieldX(1); }},
      {"two waits", [] { sys::DelayPumping(0, 20); sys::YieldX(1); }},
  };
  int code = 40;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.wait);
    ::PostQuitMessage(++code);
    c.run();
    const OuterLoopEnd end = RunOuterLoop();
    EXPECT_TRUE(end.quit);
    EXPECT_EQ(code, end.exitCode);
  }
}

// A window whose every probe asks the thread to quit with the code it carries.
class QuittingWindow : public CountingWindow {
 public:
  QuittingWindow() {
    ::SetWindowLongPtrA(Get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc));
  }

 private:
  static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<CountingWindow*>(::GetWindowLongPtrA(wnd, GWLP_USERDATA));
    if (self && msg == kProbeMessage) {
      ++self->probes;
      ::PostQuitMessage(static_cast<int>(wParam));
    }
    return ::DefWindowProcA(wnd, msg, wParam, lParam);
  }
};

TEST(QuitRequest, AskedForDuringAWaitItEndsTheWaitAndReachesTheOuterLoop) {
  QuittingWindow window;
  ASSERT_NE(window.Get(), nullptr);
  ::PostMessageA(window.Get(), kProbeMessage, 9, 0);
  Stopwatch watch;
  sys::DelayPumping(0, 20000);
  EXPECT_LT(watch.Ms(), 10000.0) << "the wait ends once the quit has come";
  EXPECT_EQ(window.probes, 1);
  const OuterLoopEnd end = RunOuterLoop();
  EXPECT_TRUE(end.quit);
  EXPECT_EQ(9, end.exitCode);
}

TEST(QuitRequest, LaterWaitsDispatchNothingButLastTheirTimeTillTheOuterLoopHasIt) {
  CountingWindow window;
  ASSERT_NE(window.Get(), nullptr);
  ::PostQuitMessage(3);
  sys::DelayPumping(0);  // takes the quit and puts it back
  ::PostMessageA(window.Get(), kProbeMessage, 0, 0);
  Stopwatch watch;
  sys::DelayPumping(0, 100);
  sys::YieldX(20);
  EXPECT_GE(watch.Ms(), 119.9) << "a later wait keeps its length, its caller does not spin";
  EXPECT_EQ(window.probes, 0) << "nothing is dispatched once the program is ending";

  const OuterLoopEnd end = RunOuterLoop();
  EXPECT_TRUE(end.quit);
  EXPECT_EQ(3, end.exitCode);
  EXPECT_EQ(window.probes, 1) << "the outer loop got the probe before the quit";
  // The outer loop has taken the quit: waits dispatch again.
  ::PostMessageA(window.Get(), kProbeMessage, 0, 0);
  sys::DelayPumping(0);
  EXPECT_EQ(window.probes, 2);
}

}  // namespace
