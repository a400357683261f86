// Removal of the running program file: a hidden batch in the temporary folder waits for this
// process to end, deletes the file (and its folder when asked), then itself.
// This file must contain only Win32 code.
#include <vector>

#include "sys/Files.h"
#include "sys/Folders.h"
#include "sys/Platform.h"
#include "sys/ScopedHandle.h"
#include "sys/SelfDeleteBatch.h"
#include "sys/UtilsText.h"

namespace sys {
namespace {

std::string WithoutClosingBackslash(std::string folder) {
  while (!folder.empty() && folder.back() == '\\') folder.pop_back();
  return folder;
}

// The temporary folder without closing backslash; empty when the system cannot tell.
std::string TempFolder() {
  char buffer[MAX_PATH + 1];
  const DWORD n = ::GetTempPathA(sizeof buffer, buffer);
  if (n == 0 || n >= sizeof buffer) return std::string();
  return WithoutClosingBackslash(std::string(buffer, n));
}

// "C:" names the current folder of drive C:, so a root keeps its backslash where a folder is
// meant.
std::string AsFolder(const std::string& folder) {
  return folder.size() == 2 && folder[1] == ':' ? folder + "\\" : folder;
}

// The 8.3 form of an existing path; the path itself when the volume has no short names.
std::string ShortPathOf(const std::string& path) {
  char buffer[MAX_PATH * 2];
  const DWORD n = ::GetShortPathNameA(path.c_str(), buffer, sizeof buffer);
  return n == 0 || n >= sizeof buffer ? path : std::string(buffer, n);
}

// Short forms are only given for existing files, so the batch exists for a moment first.
void UseShortNames(SelfDeleteBatch& batch) {
  SaveFile(batch.batchPath, "ABC\r\n", 0, false);
  batch.batchPath = ShortPathOf(batch.batchPath);
  batch.exePath = ShortPathOf(batch.exePath);
  if (!batch.exeFolder.empty())
    batch.exeFolder = WithoutClosingBackslash(ShortPathOf(AsFolder(batch.exeFolder)));
  ::DeleteFileA(batch.batchPath.c_str());
}

// DEL refuses a read-only file (a copy taken from a CD keeps that attribute), and the batch
// would then loop for ever.
void MakeWritable(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    ::SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
}

// The system's own command interpreter. Not the one named by ComSpec: that variable is the
// environment's to set, and a setup that often runs elevated must not start whatever program it
// names. Nor a bare "cmd.exe", which the search order would look up in the current folder first.
// Empty when the system folder is unknown.
std::string CommandInterpreter() {
  const std::string system = SystemFolder(true);
  return system.empty() ? system : system + "cmd.exe";
}

// Runs the batch in its own hidden console, so that it neither shows nor writes into the
// console of whoever started this program, and inherits no handle of this process.
bool StartHidden(const std::string& batchPath, const std::string& folder) {
  const std::string interpreter = CommandInterpreter();
  if (interpreter.empty()) return false;
  const std::string line = '"' + interpreter + "\" /c \"\"" + batchPath + "\"\"";
  std::vector<char> commandLine(line.begin(), line.end());
  commandLine.push_back('\0');
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION started{};
  if (!::CreateProcessA(interpreter.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        CREATE_NEW_CONSOLE, nullptr, folder.c_str(), &startup, &started))
    return false;
  ScopedKernelHandle process(started.hProcess), thread(started.hThread);
  return true;
}

}  // namespace

bool SelfDelete(const std::string& exePath, bool removeFolder, bool shortNames) {
  const std::string temp = TempFolder();
  if (temp.empty() || exePath.empty()) return false;
  SelfDeleteBatch batch;
  batch.exePath = ReplaceChar(exePath, '/', '\\');
  batch.exeFolder = FolderOfFile(batch.exePath);
  batch.batchPath = temp + "\\" + kSelfDeleteBatchName;
  batch.removeFolder = removeFolder;
  batch.quoteNames = !shortNames;
  if (shortNames) UseShortNames(batch);
  MakeWritable(batch.exePath);
  ::SetCurrentDirectoryA(AsFolder(temp).c_str());
  if (!SaveFile(batch.batchPath, SelfDeleteBatchText(batch), 0, false)) return false;
  return StartHidden(batch.batchPath, AsFolder(temp));
}

}  // namespace sys
