// This file must contain only truly operating-system independent code.
#include "sys/ProcessAnalizer.h"

#include <cstddef>

namespace sys {

bool TAnalizer::Collect(uintptr_t Window, uintptr_t Root, bool HasTitle, bool Visible) {
  if (Count() >= kMaxWindows) return false;
  windows_.push_back(Collected{Window, Root, HasTitle, Visible});
  return true;
}

std::vector<uint16_t> TAnalizer::Scores() const {
  std::vector<uint16_t> scores(windows_.size(), 0);
  for (const Collected& w : windows_)
    for (size_t i = 0; i < windows_.size(); ++i)
      if (windows_[i].Window == w.Root) ++scores[i];
  for (size_t i = 0; i < windows_.size(); ++i) {
    scores[i] = static_cast<uint16_t>(scores[i] * 4);
    if (windows_[i].HasTitle) scores[i] = static_cast<uint16_t>(scores[i] + 2);
    if (windows_[i].Visible) scores[i] = static_cast<uint16_t>(scores[i] + 1);
  }
  return scores;
}

uintptr_t TAnalizer::MainWindow() const {
  std::vector<uint16_t> scores = Scores();
  uintptr_t best = 0;
  uint16_t bestScore = 0;
  for (size_t i = 0; i < scores.size(); ++i) {
    if (scores[i] > bestScore) {
      bestScore = scores[i];
      best = windows_[i].Window;
    }
  }
  return best;
}

}  // namespace sys
