// What a setup stub exists for: unpack its package into the work folder, start the setup engine
// found there with the right switches, wait for it, clean up.
#pragma once

#include <string>

namespace pack {
class ByteSource;
}

namespace stubsetup {

// The first timer tick of a setup stub: extracts and launches the package (a web setup
// downloads it first), removes the work folder, then ends the message loop.
void RunSetup();

// Extracts packageFile into workFolder (or a roomier alternative), leaving an agent copy named
// agentExeName when that is not empty, runs the engine and waits for it and its dialog. With
// foreground the user sees the window and the questions; extraArguments go to the engine. True
// when the engine reported success by deleting the success atom. A caller that checked the
// package file first passes it as it holds it open (checkedPackage): the descriptor and the
// first volume are then read from that open file, not opened again by name.
bool ExtractAndLaunch(const std::string& workFolder, const std::string& packageFile,
                      const std::string& agentExeName, bool foreground,
                      const std::string& extraArguments,
                      const pack::ByteSource* checkedPackage = nullptr);

}  // namespace stubsetup
