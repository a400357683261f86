// The window that the stub waits for once the engine has ended. A window dies with its process,
// so the engine starts a second copy of itself that does nothing but keep that window for a
// while; the engine itself can then end at once with its exit code.
// Win32 code.
#pragma once

#include <cstdint>
#include <string>

namespace engine {

// Starts a hidden, detached copy of ExePath that keeps a window of the dialog class for
// LingerMs ms, and returns once that window exists, so that it is there before the stub looks.
// False when the copy cannot be started, or ends or takes too long before its window appears.
bool LeaveDialogBehind(const std::string& ExePath, const std::string& ThreadToken,
                       uint32_t LingerMs);

// The copy's whole run: a window of ClassName, never shown, destroyed after LingerMs ms.
// Returns the exit code of the copy: 0, or 1 when the window could not be made.
int KeepDialogWindow(const std::string& ClassName, uint32_t LingerMs);

}  // namespace engine
