// This file must contain only truly operating-system independent code.
#include "stub/SpanCopy.h"

#include "sys/UtilsText.h"

namespace stubwin {

std::string SpanCopyPath(const std::string& workFolder, const std::string& exePath) {
  const size_t slash = exePath.find_last_of("\\/");
  return workFolder + "\\Y_" + (slash == std::string::npos ? exePath : exePath.substr(slash + 1));
}

std::string SpanCopyArguments(const std::string& commandTail, const std::string& exePath) {
  return sys::Trim(commandTail + " /SpanCdLvl=2 /SpanDiskFName1=\"" + exePath + ".001\"" +
                   " /OriginExe=\"" + exePath + "\"");
}

}  // namespace stubwin
