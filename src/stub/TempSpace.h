// Before a foreground extraction: tell the user where the files go when the package asks for
// it, warn when the temporary drive is short of space, and let the user stop there.
#pragma once

#include <string>

class TGFileInfo;

namespace stubsetup {

// A byte count in megabytes (1048576 bytes) for messages: 3 decimals below 1 MB, 2 up to 10 MB,
// 1 above; a negative count reads 0.
std::string FormatMB(double bytes);

// The question for a work folder that needs required bytes where available are free; empty when
// there is nothing to say (no notice asked for and enough room).
std::string TempSpaceQuestion(const TGFileInfo& info, const std::string& workFolder,
                              double required, double available);

// True to go on: nothing to say, or the user answered Yes (Win32).
bool CheckTempSpace(const std::string& workFolder, const TGFileInfo& info);

}  // namespace stubsetup
