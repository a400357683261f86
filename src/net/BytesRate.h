// The transfer meter of a download: turns the running byte counts into the text shown with each
// step of the progress bar, with a rate averaged over the last few chunks. The meter reads no
// clock of its own; the caller passes the time of each chunk in milliseconds (the Win32 side
// passes GetTickCount), so the meter behaves the same on any host and under test.
#pragma once

#include <cstdint>
#include <string>

namespace inethttp {

class TBytesRate {
 public:
  // kbMode shows the counts in KB, mbMode in MB (mbMode wins when both are set).
  TBytesRate(bool kbMode, bool mbMode);

  // Forgets every sample and the rate computed so far.
  void Reset();

  // Takes one sample of bytes received at nowMs and returns the rate in KB per second with two
  // decimals, averaged over the last 4 chunks. Empty until 5 samples were taken; afterwards it
  // is recomputed at most every 500 ms and the last value is returned in between.
  std::string RateText(uint32_t bytes, uint32_t nowMs);

  // "done/total BytesArr", "done/total KB" or "done/total MB", followed by
  // "   -   <rate> KB/Sec" once a rate is known. Takes a sample, so call it once per chunk.
  std::string ProgressText(uint64_t total, uint64_t done, uint32_t bytes, uint32_t nowMs);

  // value / divisor with one decimal and commas between groups of three integer digits
  // (2097152 / 1024 gives "2,048.0"). A divisor of 0 counts as 1.
  static std::string FormatUnits(uint64_t value, uint64_t divisor);

 private:
  static constexpr int kSamples = 5;
  static constexpr uint32_t kRefreshMs = 500;

  void PushSample(uint32_t bytes, uint32_t nowMs);
  bool RateIsDue(uint32_t nowMs) const;
  std::string CountsText(uint64_t total, uint64_t done) const;

  bool kbMode_;
  bool mbMode_;
  uint32_t ticks_[kSamples];  // oldest first
  uint32_t bytes_[kSamples];  // oldest first
  int samplesTaken_;          // up to kSamples; tells a full window from one still filling
  std::string rateText_;
  bool rateComputed_;
  uint32_t lastUpdate_;
};

}  // namespace inethttp
