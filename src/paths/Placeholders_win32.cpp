// This file must contain only Win32 code.
#include "paths/Placeholders.h"

#include <vector>

#include "paths/PlaceholderText.h"
#include "paths/RunTimeDir.h"
#include "paths/ShellDir.h"
#include "sys/Accounts.h"
#include "sys/DateText.h"
#include "sys/Files.h"
#include "sys/Folders.h"
#include "sys/Host.h"
#include "sys/Platform.h"
#include "sys/Registry.h"
#include "sys/Switches.h"
#include "sys/WinVersion.h"

namespace paths {
namespace {

// Full path by the system's rule; empty when the system cannot give one.
std::string SystemFullPath(const std::string& Path) {
  DWORD size = ::GetFullPathNameA(Path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return std::string();
  std::vector<char> buffer(size + 1, '\0');
  DWORD length = ::GetFullPathNameA(Path.c_str(), static_cast<DWORD>(buffer.size()),
                                    buffer.data(), nullptr);
  if (length == 0 || length >= buffer.size()) return std::string();
  return std::string(buffer.data(), length);
}

class SystemPlaceholderContext final : public PlaceholderContext {
 public:
  std::string LoggedUserName() const override { return sys::CurrentUserName(); }
  std::string RegisteredOwner() const override { return sys::GetRegisteredOwner(); }
  std::string RegisteredOrganization() const override {
    return sys::GetRegisteredOrganization();
  }
  std::string ComputerName() const override { return sys::ComputerName(); }
  std::string DomainName() const override { return sys::UserDomainName(); }

  InstallFolders Installation() const override { return GetInstallFolders(); }
  std::string WindowsDir() const override { return sys::WindowsFolder(false); }
  std::string SystemDir() const override { return sys::SystemFolder(false); }
  std::string TempDir() const override { return sys::TempFolder(false); }
  std::string StubDir() const override { return sys::ProgramFolder(false); }
  std::string OriginDir() const override { return GetOriginDir(); }
  std::string ShellFolder(ShellFolderId Id) const override { return ShellFolderDir(Id, false); }
  std::string RunTimeFolder(int N) const override { return RunTimeDir(N, false); }
  bool FolderExists(const std::string& Path) const override { return sys::FolderExists(Path); }

  std::string RegistryValue(const std::string& Key, const std::string& Name) const override {
    return sys::RegReadString(Key, Name, "", sys::Is64BitWindows());
  }
  LocaleDate Today() const override { return LocaleToday(); }
  std::string FullPath(const std::string& Path) const override { return SystemFullPath(Path); }
  sys::LeadBytePredicate LeadBytes() const override { return sys::IsLeadByteOfActiveCodePage; }

  static LocaleDate LocaleToday() {
    LocaleDate date;
    date.Now = sys::LocalNow();
    date.DateSeparator = sys::LocaleDateSeparator();
    date.TimeSeparator = sys::LocaleTimeSeparator();
    date.MonthName = sys::LocaleMonthName(date.Now.Month);
    return date;
  }
};

}  // namespace

std::string ExpandPlaceholders(const std::string& Text, const std::string& Suffix,
                               bool ExpandDots, bool PathPass) {
  return ExpandPlaceholdersIn(SystemPlaceholderContext(), Text, Suffix, ExpandDots, PathPass);
}

std::string ExpandDatePlaceholder(const std::string& Text) {
  return ExpandDatePlaceholder(Text, SystemPlaceholderContext::LocaleToday());
}

std::string ExpandRelativePaths(const std::string& Text) {
  return ExpandRelativePaths(Text, SystemFullPath);
}

std::string GetSystem16Dir() { return GetSystem16DirIn(SystemPlaceholderContext()); }

std::string GetOriginExe() {
  static const std::string origin = OriginExeOf(sys::CommandTail(), sys::ProgramPath());
  return origin;
}

std::string GetOriginDir() {
  static const std::string folder = OriginDirOf(GetOriginExe(), sys::ProgramFolder(false),
                                                sys::IsLeadByteOfActiveCodePage);
  return folder;
}

}  // namespace paths
