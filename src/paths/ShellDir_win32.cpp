// This file must contain only Win32 code.
#include "paths/ShellDir.h"

#include <cstring>
#include <utility>

#include "sys/Files.h"
#include "sys/Folders.h"
#include "sys/Platform.h"
#include "sys/Registry.h"

namespace paths {
namespace {

using SpecialFolderPathFn = BOOL(WINAPI*)(HWND, LPSTR, int, BOOL);
using FolderPathFn = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);

// The shell writes at most MAX_PATH characters; the buffer leaves room to spare and is zeroed
// so that a call which fails half-way leaves no stale text.
constexpr size_t kPathBufferSize = 1025;

struct PathBuffer {
  char text[kPathBufferSize] = {};
  std::string Text() const { return std::string(text, ::strnlen(text, kPathBufferSize)); }
};

}  // namespace

SystemShellFolders::SystemShellFolders(std::string Shell32, std::string SHFolder)
    : shell32_(std::move(Shell32)), shfolder_(std::move(SHFolder)) {}

sys::EntryPoint SystemShellFolders::Bound(const std::string& Library, const char* Name,
                                          sys::EntryPoint& Entry, bool& Tried) const {
  // Bound once: every binding keeps its library loaded, and a missing one stays missing.
  if (!Tried) Entry = sys::LibraryEntryPoint(Library, Name);
  Tried = true;
  return Entry;
}

std::string SystemShellFolders::SpecialFolderPath(int Id) const {
  auto call = sys::EntryPointAs<SpecialFolderPathFn>(
      Bound(shell32_, "SHGetSpecialFolderPathA", special_, specialTried_));
  if (!call) return std::string();
  PathBuffer buffer;
  if (!call(nullptr, buffer.text, Id, FALSE)) return std::string();
  buffer.text[kPathBufferSize - 1] = '\0';
  return buffer.Text();
}

std::string SystemShellFolders::FolderPath(int Id) const {
  auto call = sys::EntryPointAs<FolderPathFn>(
      Bound(shfolder_, "SHGetFolderPathA", folder_, folderTried_));
  if (!call) return std::string();
  PathBuffer buffer;
  if (call(nullptr, Id, nullptr, 0, buffer.text) != S_OK) return std::string();
  buffer.text[kPathBufferSize - 1] = '\0';
  return buffer.Text();
}

bool SystemShellFolders::FolderExists(const std::string& Path) const {
  return sys::FolderExists(Path);
}

std::string SystemShellFolders::WindowsDir() const { return sys::WindowsFolder(false); }

std::string SystemShellFolders::RegisteredOwner() const { return sys::GetRegisteredOwner(); }

sys::LeadBytePredicate SystemShellFolders::LeadBytes() const {
  return sys::IsLeadByteOfActiveCodePage;
}

std::string ShellFolderDir(ShellFolderId Id, bool Closing) {
  static const SystemShellFolders system;
  return ShellFolderPath(Id, system, Closing);
}

std::string DocumentsAndSettingsDir(bool Closing) {
  return ShellFolderDir(ShellFolderId::DocumentsAndSettings, Closing);
}
std::string UserDir(bool Closing) { return ShellFolderDir(ShellFolderId::User, Closing); }
std::string AllUsersDir(bool Closing) { return ShellFolderDir(ShellFolderId::AllUsers, Closing); }
std::string UserLocalAppDataDir(bool Closing) {
  return ShellFolderDir(ShellFolderId::UserLocalAppData, Closing);
}
std::string UserAppDataDir(bool Closing) {
  return ShellFolderDir(ShellFolderId::UserAppData, Closing);
}
std::string AllUsersAppDataDir(bool Closing) {
  return ShellFolderDir(ShellFolderId::AllUsersAppData, Closing);
}
std::string MyDocumentsDir(bool Closing) {
  return ShellFolderDir(ShellFolderId::MyDocuments, Closing);
}
std::string AllUsersDocumentsDir(bool Closing) {
  return ShellFolderDir(ShellFolderId::AllUsersDocuments, Closing);
}
std::string UserStartMenuDir(bool Closing) {
  return ShellFolderDir(ShellFolderId::UserStartMenu, Closing);
}
std::string AllUsersStartMenuDir(bool Closing) {
  return ShellFolderDir(ShellFolderId::AllUsersStartMenu, Closing);
}
std::string UserStartProgramMenuDir(bool Closing) {
  return ShellFolderDir(ShellFolderId::UserStartProgramMenu, Closing);
}
std::string AllUsersStartProgramMenuDir(bool Closing) {
  return ShellFolderDir(ShellFolderId::AllUsersStartProgramMenu, Closing);
}
std::string UserDesktopDir(bool Closing) {
  return ShellFolderDir(ShellFolderId::UserDesktop, Closing);
}
std::string AllUsersDesktopDir(bool Closing) {
  return ShellFolderDir(ShellFolderId::AllUsersDesktop, Closing);
}

}  // namespace paths
