// Opening a document or starting a program the way the shell does (by its file type).
// Win32 (ShellStart_win32.cpp).
#pragma once

#include <string>

namespace sys {

// Opens File with Parameters, shown as the ShowWindow command Show asks (1 shows it normally),
// with the desktop as parent; true when the shell reports success.
bool StartDocument(const std::string& File, const std::string& Parameters, int Show = 1);

}  // namespace sys
