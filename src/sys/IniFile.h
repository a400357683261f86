// INI files through the system's private-profile functions: never throws, a default stands in
// for anything that cannot be read. Win32 implementation in IniFile_win32.cpp.
#pragma once

#include <cstdint>
#include <string>

namespace sys {

// Default when Section or Key is empty, or when the value is absent or empty.
std::string ReadIniString(const std::string& File, const std::string& Section,
                          const std::string& Key, const std::string& Default);
// The value as a 64-bit integer; Default when absent or not a number.
int64_t ReadIniInteger(const std::string& File, const std::string& Section, const std::string& Key,
                       int64_t Default);
// False when File, Section or Key is empty; otherwise whether the system stored the value.
bool WriteIniString(const std::string& File, const std::string& Section, const std::string& Key,
                    const std::string& Value);
bool WriteIniInteger(const std::string& File, const std::string& Section, const std::string& Key,
                     int64_t Value);

}  // namespace sys
