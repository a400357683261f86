// This file must contain only truly operating-system independent code.
#include "sys/Registry.h"

#include "sys/UtilsText.h"

namespace sys {
namespace {

struct RootRow {
  const char* LongName;
  const char* ShortName;
  RegRoot Root;
};

constexpr RootRow kRoots[] = {
    {"HKEY_CLASSES_ROOT", "HKCR", RegRoot::ClassesRoot},
    {"HKEY_CURRENT_USER", "HKCU", RegRoot::CurrentUser},
    {"HKEY_LOCAL_MACHINE", "HKLM", RegRoot::LocalMachine},
    {"HKEY_USERS", "HKU", RegRoot::Users},
    {"HKEY_CURRENT_CONFIG", "HKCC", RegRoot::CurrentConfig},
    {"HKEY_DYN_DATA", "HKDD", RegRoot::DynData},
};

// Strings of a REG_MULTI_SZ are separated by zero bytes and the list ends with one or two more.
std::string MultiStringText(std::string Data) {
  size_t last = Data.find_last_not_of('\0');
  Data.erase(last == std::string::npos ? 0 : last + 1);
  return ReplaceText(Data, std::string(1, '\0'), "<0>");
}

uint32_t LittleEndian32(const std::string& Data) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(Data[i]);
  return value;
}

}  // namespace

RegRoot RegRootFromName(const std::string& Name) {
  std::string name = UpperCase(Name);
  for (const RootRow& row : kRoots)
    if (name == row.LongName || name == row.ShortName) return row.Root;
  return RegRoot::CurrentUser;
}

std::string RegRootName(RegRoot Root) {
  for (const RootRow& row : kRoots)
    if (row.Root == Root) return row.LongName;
  return "HKEY_CURRENT_USER";
}

RegPath SplitRegPath(const std::string& Path) {
  std::string path = Trim(Path);
  RegPath result;
  if (!StartsWith(path, "HK", true)) {
    result.SubKey = path;
    return result;
  }
  size_t separator = path.find('\\');
  result.Root = RegRootFromName(path.substr(0, separator));
  if (separator != std::string::npos) result.SubKey = path.substr(separator + 1);
  return result;
}

std::string RegValueText(uint32_t Type, const std::string& Data) {
  if (Type == kRegDword && Data.size() == 4) return std::to_string(LittleEndian32(Data));
  if (Type == kRegMultiSz && Data.size() > 2) return MultiStringText(Data);
  return Data.substr(0, Data.find('\0'));
}

std::string RegisteredInfoPath(bool IsNT) {
  return IsNT ? "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion"
              : "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
}

}  // namespace sys
