// This file must contain only truly operating-system independent code.
#include "agent/UpdateFilesIni.h"

namespace au {
namespace {

IniAccess& Installed() {
  static IniAccess access;
  return access;
}

}  // namespace

IniAccess SetIniAccess(const IniAccess& Access) {
  IniAccess previous = Installed();
  Installed() = Access;
  return previous;
}

std::string IniReadString(const std::string& File, const std::string& Section,
                          const std::string& Key, const std::string& Default) {
  const IniAccess& ini = Installed();
  return File.empty() || !ini.ReadString ? Default : ini.ReadString(File, Section, Key, Default);
}

int64_t IniReadInteger(const std::string& File, const std::string& Section, const std::string& Key,
                       int64_t Default) {
  const IniAccess& ini = Installed();
  return File.empty() || !ini.ReadInteger ? Default : ini.ReadInteger(File, Section, Key, Default);
}

bool IniWriteString(const std::string& File, const std::string& Section, const std::string& Key,
                    const std::string& Value) {
  const IniAccess& ini = Installed();
  return !File.empty() && ini.WriteString && ini.WriteString(File, Section, Key, Value);
}

bool IniWriteInteger(const std::string& File, const std::string& Section, const std::string& Key,
                     int64_t Value) {
  const IniAccess& ini = Installed();
  return !File.empty() && ini.WriteInteger && ini.WriteInteger(File, Section, Key, Value);
}

}  // namespace au
