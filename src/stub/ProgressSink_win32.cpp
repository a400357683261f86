// This file must contain only Win32 code.
#include "stub/ProgressSink.h"

#include "sys/Platform.h"

#include <commctrl.h>

#include "stub/StubWin.h"

namespace stubwin {
namespace {
int ActivityCounter = 0;
}

void MoveProgressBars(void* mainBar, void* activityBar, int32_t kind, int32_t max, int32_t step,
                      int32_t position) {
  HWND bar = static_cast<HWND>(mainBar);
  HWND activity = static_cast<HWND>(activityBar);
  if (kind == 0) {
    // The 32-bit range: with the 16-bit one a run of more than 65535 steps (a download of some
    // 512 MB in 8 KB chunks) would show a wrong bar.
    ::SendMessageA(bar, PBM_SETRANGE32, 0, max);
    ::SendMessageA(bar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    ::SendMessageA(bar, PBM_SETSTEP, static_cast<WPARAM>(step), 0);
    ::SendMessageA(activity, PBM_SETRANGE, 0, MAKELPARAM(0, 5));
    ::SendMessageA(activity, PBM_SETPOS, 0, 0);
    ::SendMessageA(activity, PBM_SETSTEP, 1, 0);
    return;
  }
  ::SendMessageA(bar, PBM_STEPIT, 0, 0);
  ActivityCounter = NextActivityPosition(ActivityCounter);
  ::SendMessageA(activity, PBM_SETPOS, static_cast<WPARAM>(ActivityCounter), 0);
}

void MainProgressSink(int32_t kind, int32_t max, const std::string&, int32_t step, int32_t position) {
  MoveProgressBars(MainProgressHandle(), ActivityBarHandle(), kind, max, step, position);
}

}  // namespace stubwin
