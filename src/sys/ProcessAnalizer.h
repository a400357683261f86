// TAnalizer picks the main window of a process among its top-level windows. A window that
// others belong to (their owner chain ends at it) is what the user sees as the program, so it
// scores highest; a title and visibility break the remaining ties.
//
// Score of a window: 4 for each collected window whose root owner it is (a window without an
// owner is its own root), plus 2 when it has a title, plus 1 when it is visible. A hidden
// untitled owner of one visible titled window scores 4 * 2 = 8; the owned window 0 + 2 + 1 = 3.
#pragma once

#include <cstdint>
#include <vector>

namespace sys {

class TAnalizer {
 public:
  // More windows of one process are ignored; it keeps the scores within 16 bits.
  static constexpr int kMaxWindows = 2001;

  explicit TAnalizer(uint32_t ProcessId) : processId_(ProcessId) {}

  uint32_t ProcessId() const { return processId_; }
  int Count() const { return static_cast<int>(windows_.size()); }

  // Adds a top-level window of the process in enumeration order, with the last window of its
  // owner chain (Root, the window itself when it has no owner). False, and nothing added, when
  // kMaxWindows are collected already.
  bool Collect(uintptr_t Window, uintptr_t Root, bool HasTitle, bool Visible);

  // The scores of the collected windows, in their order.
  std::vector<uint16_t> Scores() const;
  // The window with the highest score, the first collected on equal scores; 0 when no window
  // was collected or every score is 0.
  uintptr_t MainWindow() const;

 private:
  struct Collected {
    uintptr_t Window;
    uintptr_t Root;
    bool HasTitle;
    bool Visible;
  };
  uint32_t processId_;
  std::vector<Collected> windows_;
};

}  // namespace sys
