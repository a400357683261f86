// This file must contain only Win32 code.
#include "sys/Folders.h"

#include "sys/Host.h"
#include "sys/Platform.h"

namespace sys {
namespace {

constexpr UINT kFolderBufferSize = MAX_PATH + 1;  // 261

// A result of 0, or one that did not fit the buffer, counts as no folder.
std::string FolderText(const char* Buffer, UINT Length, bool Closing) {
  if (Length == 0 || Length >= kFolderBufferSize) return std::string();
  return FolderWithBackslash(std::string(Buffer, Length), Closing, IsLeadByteOfActiveCodePage);
}

}  // namespace

std::string ProgramFolder(bool Closing) {
  return FolderOfPath(ProgramPath(), Closing, IsLeadByteOfActiveCodePage);
}

std::string WindowsFolder(bool Closing) {
  char buffer[kFolderBufferSize];
  return FolderText(buffer, ::GetWindowsDirectoryA(buffer, kFolderBufferSize), Closing);
}

std::string SystemFolder(bool Closing) {
  char buffer[kFolderBufferSize];
  return FolderText(buffer, ::GetSystemDirectoryA(buffer, kFolderBufferSize), Closing);
}

std::string TempFolder(bool Closing) {
  char buffer[kFolderBufferSize];
  DWORD length = ::GetTempPathA(kFolderBufferSize, buffer);
  return FolderText(buffer, length, Closing);
}

std::string ProgramNameWithoutExtension(bool AllExtensions) {
  return FileNameWithoutExtension(ProgramPath(), AllExtensions);
}

}  // namespace sys
