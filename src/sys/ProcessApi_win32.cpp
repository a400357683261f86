// This file must contain only Win32 code.
#include "sys/ProcessApi.h"

#include <cstring>

#include "sys/LibraryEntry.h"
#include "sys/Platform.h"
#include "sys/ScopedHandle.h"

#include <tlhelp32.h>

namespace sys {
namespace {

using EnumProcessesFunction = BOOL(WINAPI*)(DWORD*, DWORD, DWORD*);
using EnumProcessModulesFunction = BOOL(WINAPI*)(HANDLE, HMODULE*, DWORD, DWORD*);
using ModuleNameFunction = DWORD(WINAPI*)(HANDLE, HMODULE, LPSTR, DWORD);
using SnapshotFunction = HANDLE(WINAPI*)(DWORD, DWORD);
using ProcessWalkFunction = BOOL(WINAPI*)(HANDLE, PROCESSENTRY32*);

constexpr DWORD kIdBufferStep = 1024;  // bytes
// Far more processes than any system runs; ends the growth should the call misbehave.
constexpr DWORD kIdBufferLimit = 4 * 1024 * 1024;
// Long enough for any path the ANSI functions can give.
constexpr DWORD kModuleNameChars = 32768;

EntryPoint PsapiEntry(const char* Name) { return LibraryEntryPoint("psapi.dll", Name); }
EntryPoint KernelEntry(const char* Name) { return LibraryEntryPoint("kernel32.dll", Name); }

std::string ModuleName(ModuleNameFunction Function, HANDLE Process, HMODULE Module) {
  std::vector<char> buffer(kModuleNameChars);
  DWORD length = Function(Process, Module, buffer.data(), kModuleNameChars);
  return std::string(buffer.data(), length < kModuleNameChars ? length : 0);
}

}  // namespace

std::vector<uint32_t> EnumProcessIds() {
  static const auto enumProcesses =
      EntryPointAs<EnumProcessesFunction>(PsapiEntry("EnumProcesses"));
  if (!enumProcesses) return {};
  // The system says only how much it wrote; a full buffer may mean that more ids are waiting.
  for (DWORD bytes = kIdBufferStep; bytes <= kIdBufferLimit; bytes += kIdBufferStep) {
    std::vector<DWORD> ids(bytes / sizeof(DWORD));
    DWORD written = 0;
    if (!enumProcesses(ids.data(), bytes, &written)) return {};
    if (written < bytes)
      return std::vector<uint32_t>(ids.begin(), ids.begin() + written / sizeof(DWORD));
  }
  return {};
}

bool ProcessModuleNamesOf(uint32_t ProcessId, ProcessModuleNames& Names) {
  static const auto enumModules =
      EntryPointAs<EnumProcessModulesFunction>(PsapiEntry("EnumProcessModules"));
  static const auto fileName = EntryPointAs<ModuleNameFunction>(PsapiEntry("GetModuleFileNameExA"));
  static const auto baseName = EntryPointAs<ModuleNameFunction>(PsapiEntry("GetModuleBaseNameA"));
  if (!enumModules || !fileName || !baseName) return false;
  ScopedKernelHandle process(
      ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, ProcessId));
  if (!process) return false;
  HMODULE first = nullptr;
  DWORD needed = 0;
  if (!enumModules(process.Get(), &first, sizeof first, &needed) || !first) return false;
  Names.FullPath = ModuleName(fileName, process.Get(), first);
  Names.BaseName = ModuleName(baseName, process.Get(), first);
  return !Names.FullPath.empty() || !Names.BaseName.empty();
}

std::vector<SnapshotEntry> ProcessSnapshot() {
  static const auto createSnapshot =
      EntryPointAs<SnapshotFunction>(KernelEntry("CreateToolhelp32Snapshot"));
  static const auto first = EntryPointAs<ProcessWalkFunction>(KernelEntry("Process32First"));
  static const auto next = EntryPointAs<ProcessWalkFunction>(KernelEntry("Process32Next"));
  std::vector<SnapshotEntry> entries;
  if (!createSnapshot || !first || !next) return entries;
  // A failed snapshot is INVALID_HANDLE_VALUE, as for files.
  ScopedFileHandle snapshot(createSnapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return entries;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = first(snapshot.Get(), &entry); more; more = next(snapshot.Get(), &entry)) {
    entries.push_back(SnapshotEntry{
        entry.th32ProcessID,
        std::string(entry.szExeFile, ::strnlen(entry.szExeFile, sizeof entry.szExeFile))});
    entry.dwSize = sizeof entry;
  }
  return entries;
}

}  // namespace sys
