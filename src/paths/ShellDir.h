// The user's and the machine's shell folders (documents, application data, start menu, desktop,
// for the current user and for all users). Each comes first from the shell's folder functions,
// bound at run time because older systems lack them, and otherwise from a fixed chain of
// folders built from the Windows folder and the user's profile folder.
//
// The chains are plain rules over a ShellFolderSource (ShellDir.cpp); the source that asks the
// running system, and the named folder functions, are Win32 (ShellDir_win32.cpp).
#pragma once

#include <string>

#include "sys/LibraryEntry.h"
#include "sys/LeadBytes.h"

namespace paths {

enum class ShellFolderId {
  DocumentsAndSettings,
  User,
  AllUsers,
  UserLocalAppData,
  UserAppData,
  AllUsersAppData,
  MyDocuments,
  AllUsersDocuments,
  UserStartMenu,
  AllUsersStartMenu,
  UserStartProgramMenu,
  AllUsersStartProgramMenu,
  UserDesktop,
  AllUsersDesktop,
};

// What the chains are built from. Every path is given as the system reports it; an empty text
// stands for a failed call.
class ShellFolderSource {
 public:
  virtual ~ShellFolderSource() = default;
  // "SHGetSpecialFolderPathA" of shell32.dll with this folder identifier.
  virtual std::string SpecialFolderPath(int Id) const = 0;
  // "SHGetFolderPathA" of SHFolder.dll with this folder identifier.
  virtual std::string FolderPath(int Id) const = 0;
  virtual bool FolderExists(const std::string& Path) const = 0;
  // Without a closing backslash.
  virtual std::string WindowsDir() const = 0;
  // The registered owner of the system, the login name when none is registered.
  virtual std::string RegisteredOwner() const = 0;
  virtual sys::LeadBytePredicate LeadBytes() const = 0;
};

// The folder, with exactly one closing backslash when Closing is set and none otherwise; empty
// when not even the last folder of its chain can be named.
std::string ShellFolderPath(ShellFolderId Id, const ShellFolderSource& Source, bool Closing);

// The Windows folder's "Profiles\" folder of the registered owner, or the Windows folder when
// there is none: what the chains fall back to on systems without per-user shell folders.
std::string ProfileDir(const ShellFolderSource& Source, bool Closing);

// Path with its closing backslash added (Closing) or removed. A path of 2 characters or fewer
// is never shortened, a "\" that is the second byte of a double-byte character is no closing
// backslash, and an empty path stays empty rather than becoming the current drive's root.
std::string WithClosingBackslash(const std::string& Path, bool Closing,
                                 sys::LeadBytePredicate IsLeadByte);

// Win32: the running system's shell functions, bound at their first use. The library names can
// be changed so that a test can take one away.
class SystemShellFolders final : public ShellFolderSource {
 public:
  explicit SystemShellFolders(std::string Shell32 = "shell32.dll",
                              std::string SHFolder = "SHFolder.dll");
  std::string SpecialFolderPath(int Id) const override;
  std::string FolderPath(int Id) const override;
  bool FolderExists(const std::string& Path) const override;
  std::string WindowsDir() const override;
  std::string RegisteredOwner() const override;
  sys::LeadBytePredicate LeadBytes() const override;

 private:
  sys::EntryPoint Bound(const std::string& Library, const char* Name, sys::EntryPoint& Entry,
                        bool& Tried) const;

  std::string shell32_;
  std::string shfolder_;
  mutable sys::EntryPoint special_ = nullptr;
  mutable sys::EntryPoint folder_ = nullptr;
  mutable bool specialTried_ = false;
  mutable bool folderTried_ = false;
};

// Win32: the folders of the running system, through one SystemShellFolders for the process.
std::string DocumentsAndSettingsDir(bool Closing);
std::string UserDir(bool Closing);
std::string AllUsersDir(bool Closing);
std::string UserLocalAppDataDir(bool Closing);
std::string UserAppDataDir(bool Closing);
std::string AllUsersAppDataDir(bool Closing);
std::string MyDocumentsDir(bool Closing);
std::string AllUsersDocumentsDir(bool Closing);
std::string UserStartMenuDir(bool Closing);
std::string AllUsersStartMenuDir(bool Closing);
std::string UserStartProgramMenuDir(bool Closing);
std::string AllUsersStartProgramMenuDir(bool Closing);
std::string UserDesktopDir(bool Closing);
std::string AllUsersDesktopDir(bool Closing);
std::string ShellFolderDir(ShellFolderId Id, bool Closing);

}  // namespace paths
