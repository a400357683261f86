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

}  // namespace stubwin
