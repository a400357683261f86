// A setup spread over several disks runs from a copy in the work folder, so that the first disk
// can be taken out: the copy ("Y_" + the name) reads the package from the disk's ".001" file.
#pragma once

#include <string>

namespace stubwin {

// workFolder + "\Y_" + the file name of exePath.
std::string SpanCopyPath(const std::string& workFolder, const std::string& exePath);

// The copy's arguments: this stub's own, then "/SpanCdLvl=2", "/SpanDiskFName1=" with the
// first volume (exePath + ".001") and "/OriginExe=" with exePath, both quoted; trimmed.
std::string SpanCopyArguments(const std::string& commandTail, const std::string& exePath);

// Copies exePath to its span copy path in workFolder and starts the copy hidden with the span
// arguments (Win32). When the copy cannot be written, nothing starts: a "Y_" file already there
// (an earlier run's, or one another user left) must never run in its place. False, with the
// failure written to the console, when nothing was started.
bool StartSpanCopy(const std::string& exePath, const std::string& workFolder,
                   const std::string& commandTail);

}  // namespace stubwin
