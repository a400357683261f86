// This file must contain only truly operating-system independent code.
#include "stub/ProgressSink.h"

namespace stubwin {

int NextActivityPosition(int position) { return position >= 5 ? 0 : position + 1; }

}  // namespace stubwin
