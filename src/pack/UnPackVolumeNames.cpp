// This file must contain only truly operating-system independent code.
#include "pack/UnPackVolumeNames.h"

#include "sys/UtilsText.h"

namespace pack {

std::string UnPackBaseName(const std::string& packagePath) {
  if (sys::EndsWith(packagePath, ".001")) return packagePath.substr(0, packagePath.size() - 4);
  return packagePath;
}

std::string UnPackVolumePath(const std::string& baseName, int k) {
  return baseName + "." + sys::ZeroPad(static_cast<int64_t>(k), 3);
}

bool IsAgentCarrierPath(const std::string& packagePath) {
  return sys::EndsWith(packagePath, ".exe", true) || sys::EndsWith(packagePath, ".exe.001", true);
}

}  // namespace pack
