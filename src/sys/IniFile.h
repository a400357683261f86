// INI files through the system's private-profile functions: never throws, a default stands in
// for anything that cannot be read. Win32 implementation in IniFile_win32.cpp.
#pragma once

#include <cstdint>
#include <string>

namespace sys {

// Default when File, Section or Key is empty, or when the value is absent or empty. Values longer
// than 10240 characters are cut there. A read that the system reports as failed for another
// reason than a missing file or value writes the console line
// "EXCEPTION --- Utils.ReadIniString()  " with the system's message.
std::string ReadIniString(const std::string& File, const std::string& Section,
                          const std::string& Key, const std::string& Default);
// The value as a 64-bit integer (decimal, or hexadecimal after "$" or "0x"); Default when
// absent or not a number.
int64_t ReadIniInteger(const std::string& File, const std::string& Section, const std::string& Key,
                       int64_t Default);
// A flag: true only when the value read is exactly "1" ("01", "yes", "true" and a quoted " 1"
// are false).
bool ReadIniFlag(const std::string& File, const std::string& Section, const std::string& Key);
// False when File, Section or Key is empty; otherwise whether the system stored the value.
bool WriteIniString(const std::string& File, const std::string& Section, const std::string& Key,
                    const std::string& Value);
bool WriteIniInteger(const std::string& File, const std::string& Section, const std::string& Key,
                     int64_t Value);

}  // namespace sys
