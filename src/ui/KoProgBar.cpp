// This file must contain only truly operating-system independent code.
#include "ui/KoProgBar.h"

#include <memory>
#include <utility>

namespace koprogbar {
namespace {

std::unique_ptr<TProgBar>& SharedSlot() {
  static std::unique_ptr<TProgBar> shared;
  return shared;
}

}  // namespace

TProgBar::TProgBar(ProgressSink sink, ProgressWait wait)
    : sink_(std::move(sink)), wait_(std::move(wait)) {}

TProgBar::~TProgBar() { Finish(0, 0); }

void TProgBar::SetRange(int32_t position, int32_t max) {
  Wait(waits.rangeBefore);
  Send(kProgressRange, max, std::string(), 1, position);
  Wait(waits.rangeAfter);
}

void TProgBar::Step(const std::string& text) {
  Wait(waits.stepBefore);
  Send(kProgressStep, 0, text, 0, 0);
  Wait(waits.stepAfter);
}

void TProgBar::Finish(uint32_t waitBefore, uint32_t waitAfter) {
  Wait(waitBefore);
  Wait(waits.finishBefore);
  Send(kProgressRange, 0, std::string(), 1, 0);
  Wait(waits.finishAfter);
  Wait(waitAfter);
}

void TProgBar::Wait(uint32_t ms) const {
  if (wait_) wait_(ms);
}

void TProgBar::Send(int32_t kind, int32_t max, const std::string& text, int32_t step,
                    int32_t position) const {
  if (sink_) sink_(kind, max, text, step, position);
}

TProgBar& EnsureProgressBar(ProgressSink sink, ProgressWait wait) {
  std::unique_ptr<TProgBar>& shared = SharedSlot();
  if (!shared) shared = std::make_unique<TProgBar>(std::move(sink), std::move(wait));
  return *shared;
}

TProgBar* SharedProgressBar() { return SharedSlot().get(); }

void ReleaseSharedProgressBar() {
  // Taken out of the slot first: the finish events dispatch messages, and a handler asking for
  // the shared reporter meanwhile must not see one that is being destroyed.
  std::unique_ptr<TProgBar> released = std::move(SharedSlot());
  released.reset();
}

}  // namespace koprogbar
