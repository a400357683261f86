// What a setup stub does on its first timer tick.
#pragma once

namespace stubsetup {

// Extracts and launches the package (or downloads a web setup), then ends the message loop.
void RunSetup();

}  // namespace stubsetup
