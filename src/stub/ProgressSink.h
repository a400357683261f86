// MainProgressSink: progress events moved onto the main window's two bars — the main bar shows
// how far a run is, the small activity bar cycles 1 to 5 and 0 with every step, so that the user
// sees movement even when the main bar moves slowly.
#pragma once

#include <cstdint>
#include <string>

namespace stubwin {

// The activity bar's next position: 1, 2, 3, 4, 5, then 0 again.
int NextActivityPosition(int position);

// Moves the given progress controls (window handles); kind 0 sets the range and position, kind 1
// steps. The text is not shown here.
void MoveProgressBars(void* mainBar, void* activityBar, int32_t kind, int32_t max, int32_t step,
                      int32_t position);

// The shared sink on the main window's bars.
void MainProgressSink(int32_t kind, int32_t max, const std::string& text, int32_t step,
                      int32_t position);

}  // namespace stubwin
