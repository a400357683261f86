// Functions of system libraries that older Windows versions lack are bound at run time, and so
// are the libraries that are no "known DLLs": a static import of one of those would be looked for
// in the program's folder first, where a setup started from a downloads folder could meet a
// planted copy. Win32 (LibraryEntry_win32.cpp).
#pragma once

#include <string>

namespace sys {

using EntryPoint = void (*)();

// Where Library is loaded from: a bare file name from the system folder, never from the
// program's folder or the search path; a name with a folder as it is.
std::string SystemLibraryPath(const std::string& Library);

// Entry point Name of Library, loaded from SystemLibraryPath(Library); nullptr when the library
// or the entry point is missing. A library whose entry point is handed out stays loaded for the
// rest of the process.
EntryPoint LibraryEntryPoint(const std::string& Library, const std::string& Name);

// The entry point as the function type the caller knows it to have.
template <typename Function>
Function EntryPointAs(EntryPoint Entry) {
  return reinterpret_cast<Function>(Entry);
}

// Makes every later load of a library by bare name search the system folder only, where the
// system can (SetDefaultDllDirectories: Windows 8, or 7 with its update); false where it cannot.
// The first thing the program does, before anything loads a library.
bool RestrictLibrarySearchToSystem();

}  // namespace sys
