// The update description files are read and written with the system's private-profile functions.
// This file must contain only Win32 code.
#include "agent/UpdateFilesIni.h"
#include "sys/IniFile.h"

namespace au {

IniAccess SystemIniAccess() {
  IniAccess access;
  access.ReadString = sys::ReadIniString;
  access.ReadInteger = sys::ReadIniInteger;
  access.WriteString = sys::WriteIniString;
  access.WriteInteger = sys::WriteIniInteger;
  return access;
}

void UseSystemIni() { SetIniAccess(SystemIniAccess()); }

}  // namespace au
