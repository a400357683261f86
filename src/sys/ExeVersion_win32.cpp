// This file must contain only Win32 specific code.
#include "sys/ExeVersion.h"

#include <vector>

#include "sys/Platform.h"

namespace sys {

std::string GetExeVersion(const std::string& path) {
  DWORD ignored = 0;
  DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &ignored);
  if (size == 0) return std::string();
  std::vector<char> data(size);
  if (!::GetFileVersionInfoA(path.c_str(), 0, size, data.data())) return std::string();
  VS_FIXEDFILEINFO* info = nullptr;
  UINT infoSize = 0;
  if (!::VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &infoSize) || !info ||
      infoSize < sizeof(VS_FIXEDFILEINFO))
    return std::string();
  return std::to_string(HIWORD(info->dwFileVersionMS)) + "." +
         std::to_string(LOWORD(info->dwFileVersionMS)) + "." +
         std::to_string(HIWORD(info->dwFileVersionLS)) + "." +
         std::to_string(LOWORD(info->dwFileVersionLS));
}

}  // namespace sys
