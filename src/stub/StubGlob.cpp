#include "stub/StubGlob.h"

namespace stubglob {

TGFileInfo* OwnFileInfo = nullptr;
bool ThisIs_AutoUpdateProg = false;
std::string StubClassName;
uint32_t ExitCode = 0;

}  // namespace stubglob
