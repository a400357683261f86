// This file must contain only Win32 specific code.
#include "stub/WorkFolder.h"

#include "sys/Host.h"
#include "sys/Files.h"
#include "sys/Folders.h"

namespace stubglob {

const std::string& WorkFolderPath() {
  static const std::string path =
      WorkFolderFor(sys::TempFolder(true), static_cast<uint16_t>(sys::FileAge(sys::ProgramPath())));
  return path;
}

}  // namespace stubglob
