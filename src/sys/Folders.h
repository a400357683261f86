// The program's own folder and the Windows, System and Temp folders, each with or without a
// closing backslash as the caller asks. The path rules are plain text (Folders.cpp); the
// folders come from the system (Folders_win32.cpp) and are empty when it cannot give them.
#pragma once

#include <string>

#include "sys/LeadBytes.h"

namespace sys {

// Folder without closing backslashes, and then with exactly one when Closing is set. A final
// "\" that is the second byte of a double-byte character (as IsLeadByte tells) belongs to that
// character and is kept. A lone "\" becomes empty, and an empty Folder stays empty: adding a
// backslash would turn "no folder" into the root of the current drive.
std::string FolderWithBackslash(const std::string& Folder, bool Closing,
                                LeadBytePredicate IsLeadByte = nullptr);

// The folder part of Path, before its last "\" that is no second byte of a double-byte
// character, with or without a closing backslash; empty for a bare file name.
std::string FolderOfPath(const std::string& Path, bool Closing,
                         LeadBytePredicate IsLeadByte = nullptr);

// The file name of Path without its extension: everything from the last "." of the name on is
// dropped, or from its first "." when AllExtensions is set ("Tool.beta.exe" gives "Tool.beta"
// or "Tool"). A "." in the folder part is no extension.
std::string FileNameWithoutExtension(const std::string& Path, bool AllExtensions);

// Win32.
std::string ProgramFolder(bool Closing);
std::string WindowsFolder(bool Closing);
std::string SystemFolder(bool Closing);
std::string TempFolder(bool Closing);
std::string ProgramNameWithoutExtension(bool AllExtensions);

}  // namespace sys
