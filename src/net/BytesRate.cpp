#include "net/BytesRate.h"

#include <cstddef>

#include "sys/UtilsText.h"

namespace inethttp {
namespace {

// Puts a comma between every group of three digits of the integer part of a fixed-point text
// without a sign ("2048.0" becomes "2,048.0", "195.3" stays as it is).
std::string GroupThousands(const std::string& fixed) {
  size_t point = fixed.find('.');
  size_t intDigits = point == std::string::npos ? fixed.size() : point;
  std::string grouped;
  grouped.reserve(fixed.size() + intDigits / 3);
  for (size_t i = 0; i < fixed.size(); ++i) {
    bool groupStarts = i > 0 && i < intDigits && (intDigits - i) % 3 == 0;
    if (groupStarts) grouped += ',';
    grouped += fixed[i];
  }
  return grouped;
}

}  // namespace

TBytesRate::TBytesRate(bool kbMode, bool mbMode) : kbMode_(kbMode), mbMode_(mbMode) { Reset(); }

void TBytesRate::Reset() {
  for (int i = 0; i < kSamples; ++i) ticks_[i] = bytes_[i] = 0;
  samplesTaken_ = 0;
  rateText_.clear();
  rateComputed_ = false;
  lastUpdate_ = 0;
}

void TBytesRate::PushSample(uint32_t bytes, uint32_t nowMs) {
  for (int i = 0; i + 1 < kSamples; ++i) {
    ticks_[i] = ticks_[i + 1];
    bytes_[i] = bytes_[i + 1];
  }
  ticks_[kSamples - 1] = nowMs;
  bytes_[kSamples - 1] = bytes;
  if (samplesTaken_ < kSamples) ++samplesTaken_;
}

// The window is full and the shown rate is older than the refresh interval. The first rate is
// not held back: the clock may start anywhere, 0 included. Unsigned differences keep working
// across the wrap of a 32-bit millisecond counter.
bool TBytesRate::RateIsDue(uint32_t nowMs) const {
  if (samplesTaken_ < kSamples) return false;
  return !rateComputed_ || nowMs - lastUpdate_ > kRefreshMs;
}

std::string TBytesRate::RateText(uint32_t bytes, uint32_t nowMs) {
  PushSample(bytes, nowMs);
  // The bytes of the 4 newest chunks arrived between the oldest tick and the newest one.
  const uint32_t spanMs = ticks_[kSamples - 1] - ticks_[0];
  if (spanMs == 0 || !RateIsDue(nowMs)) return rateText_;
  uint64_t recent = 0;
  for (int i = 1; i < kSamples; ++i) recent += bytes_[i];
  const double kbPerSecond = static_cast<double>(recent) * 1000.0 / spanMs / 1024.0;
  rateText_ = sys::NumberToText(kbPerSecond, 2);
  rateComputed_ = true;
  lastUpdate_ = nowMs;
  return rateText_;
}

std::string TBytesRate::FormatUnits(uint64_t value, uint64_t divisor) {
  const double units = static_cast<double>(value) / static_cast<double>(divisor == 0 ? 1 : divisor);
  return GroupThousands(sys::NumberToText(units, 1));
}

std::string TBytesRate::CountsText(uint64_t total, uint64_t done) const {
  if (mbMode_) return FormatUnits(done, 1048576) + "/" + FormatUnits(total, 1048576) + " MB";
  if (kbMode_) return FormatUnits(done, 1024) + "/" + FormatUnits(total, 1024) + " KB";
  return std::to_string(done) + "/" + std::to_string(total) + " BytesArr";
}

std::string TBytesRate::ProgressText(uint64_t total, uint64_t done, uint32_t bytes,
                                     uint32_t nowMs) {
  const std::string counts = CountsText(total, done);
  const std::string rate = RateText(bytes, nowMs);
  return rate.empty() ? counts : counts + "   -   " + rate + " KB/Sec";
}

}  // namespace inethttp
