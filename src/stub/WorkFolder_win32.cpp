// This file must contain only Win32 specific code.
#include "stub/WorkFolder.h"

#include "sys/Host.h"
#include "sys/Platform.h"
#include "sys/ScopedHandle.h"

namespace stubglob {
namespace {

uint16_t LastWriteDosTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  FILETIME local{};
  WORD dosDate = 0, dosTime = 0;
  if (!::FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) ||
      !::FileTimeToDosDateTime(&local, &dosDate, &dosTime))
    return 0;
  return dosTime;
}

std::string TempFolder() {
  char buf[MAX_PATH + 1];
  DWORD n = ::GetTempPathA(sizeof buf, buf);
  return n > 0 && n < sizeof buf ? std::string(buf, n) : std::string();
}

}  // namespace

const std::string& WorkFolderPath() {
  static const std::string path =
      WorkFolderFor(TempFolder(), LastWriteDosTime(sys::ProgramPath()));
  return path;
}

}  // namespace stubglob
