// This file must contain only Win32 code.
#include "sys/LibraryEntry.h"

#include "sys/Platform.h"
#include "sys/ScopedHandle.h"

namespace sys {

EntryPoint LibraryEntryPoint(const std::string& Library, const std::string& Name) {
  ScopedLibrary library(::LoadLibraryA(Library.c_str()));
  if (!library) return nullptr;
  FARPROC entry = ::GetProcAddress(library.Get(), Name.c_str());
  if (!entry) return nullptr;
  library.Take();  // the entry point must stay callable
  return reinterpret_cast<EntryPoint>(entry);
}

}  // namespace sys
