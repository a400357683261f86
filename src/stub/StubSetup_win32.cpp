#include "stub/StubSetup.h"

#include "stub/NotBuiltYet.h"
#include "sys/Platform.h"

namespace stubsetup {

void RunSetup() {
  NotBuiltYet("RunSetup");
  ::PostQuitMessage(0);
}

}  // namespace stubsetup
