// Functions of system libraries that older Windows versions lack are bound at run time.
// Win32 (LibraryEntry_win32.cpp).
#pragma once

#include <string>

namespace sys {

using EntryPoint = void (*)();

// Entry point Name of Library, loaded by name; nullptr when the library or the entry point is
// missing. A library whose entry point is handed out stays loaded for the rest of the process.
EntryPoint LibraryEntryPoint(const std::string& Library, const std::string& Name);

// The entry point as the function type the caller knows it to have.
template <typename Function>
Function EntryPointAs(EntryPoint Entry) {
  return reinterpret_cast<Function>(Entry);
}

}  // namespace sys
