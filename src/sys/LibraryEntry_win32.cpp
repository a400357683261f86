// This file must contain only Win32 code.
#include "sys/LibraryEntry.h"

#include "sys/Folders.h"
#include "sys/Platform.h"
#include "sys/ScopedHandle.h"

namespace sys {

std::string SystemLibraryPath(const std::string& Library) {
  if (Library.find_first_of("\\/:") != std::string::npos) return Library;
  return SystemFolder(true) + Library;
}

EntryPoint LibraryEntryPoint(const std::string& Library, const std::string& Name) {
  ScopedLibrary library(::LoadLibraryA(SystemLibraryPath(Library).c_str()));
  if (!library) return nullptr;
  FARPROC entry = ::GetProcAddress(library.Get(), Name.c_str());
  if (!entry) return nullptr;
  library.Take();  // the entry point must stay callable
  return reinterpret_cast<EntryPoint>(entry);
}

bool RestrictLibrarySearchToSystem() {
  using SetDirectories = BOOL(WINAPI*)(DWORD);
  // kernel32 is always loaded: looked up by handle, so nothing is loaded to find it.
  HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
  auto set = kernel ? reinterpret_cast<SetDirectories>(reinterpret_cast<void (*)()>(
                          ::GetProcAddress(kernel, "SetDefaultDllDirectories")))
                    : nullptr;
  return set && set(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace sys
