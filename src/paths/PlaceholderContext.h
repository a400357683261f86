// What placeholder expansion reads from the machine it runs on: names, folders, registry values,
// the date and the full-path rule. Expansion itself is plain text work over this interface
// (Placeholders.cpp); the running system's answers come from Placeholders_win32.cpp, and a
// test can give any machine it likes.
#pragma once

#include <string>

#include "paths/DatePlaceholder.h"
#include "paths/ShellDir.h"
#include "sys/LeadBytes.h"

namespace paths {

// The folders a product was installed to, as its installation recorded them.
struct InstallFolders {
  std::string Application;
  std::string Common;
  std::string Auxiliary;
};

class PlaceholderContext {
 public:
  virtual ~PlaceholderContext() = default;

  // Names, each trimmed; empty when the system cannot give them.
  virtual std::string LoggedUserName() const = 0;
  // The registered owner, the login name when none is registered.
  virtual std::string RegisteredOwner() const = 0;
  virtual std::string RegisteredOrganization() const = 0;
  virtual std::string ComputerName() const = 0;
  virtual std::string DomainName() const = 0;

  // Folders, all without a closing backslash.
  virtual InstallFolders Installation() const = 0;
  virtual std::string WindowsDir() const = 0;
  virtual std::string SystemDir() const = 0;
  virtual std::string TempDir() const = 0;
  virtual std::string StubDir() const = 0;  // the folder of the running program
  virtual std::string OriginDir() const = 0;
  virtual std::string ShellFolder(ShellFolderId Id) const = 0;
  virtual std::string RunTimeFolder(int N) const = 0;
  virtual bool FolderExists(const std::string& Path) const = 0;

  // A registry value as stored (read through the 64-bit view where the system has one); empty
  // when it cannot be read.
  virtual std::string RegistryValue(const std::string& Key, const std::string& Name) const = 0;
  virtual LocaleDate Today() const = 0;
  // Path with "." and ".." resolved as the system resolves them; empty on failure.
  virtual std::string FullPath(const std::string& Path) const = 0;
  virtual sys::LeadBytePredicate LeadBytes() const = 0;
};

}  // namespace paths
