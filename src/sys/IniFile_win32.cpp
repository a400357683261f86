// This file must contain only Win32 code.
#include "sys/IniFile.h"

#include "sys/KoDebug.h"
#include "sys/Platform.h"
#include "sys/SysError.h"
#include "sys/UtilsText.h"

namespace sys {
namespace {

constexpr DWORD kValueBufferSize = 10241;

// A missing file, folder or value is the ordinary way of being absent, and a value cut at the
// buffer's end is still a value; anything else (a file that cannot be opened, or one that
// another program holds locked) is worth a line on the console. The system then hands back the
// default, which is what the caller gets too.
bool IsReadFailure(DWORD Error) {
  return Error != ERROR_SUCCESS && Error != ERROR_FILE_NOT_FOUND &&
         Error != ERROR_PATH_NOT_FOUND && Error != ERROR_MORE_DATA;
}

}  // namespace

std::string ReadIniString(const std::string& File, const std::string& Section,
                          const std::string& Key, const std::string& Default) {
  // Without a file name the system would look for a file in the Windows folder.
  if (File.empty() || Section.empty() || Key.empty()) return Default;
  char buffer[kValueBufferSize];
  ::SetLastError(ERROR_SUCCESS);
  DWORD length = ::GetPrivateProfileStringA(Section.c_str(), Key.c_str(), Default.c_str(), buffer,
                                            kValueBufferSize, File.c_str());
  DWORD error = ::GetLastError();
  if (IsReadFailure(error)) {
    kodebug::ConsoleLine("EXCEPTION --- Utils.ReadIniString()  " + SysErrorTextOf(error));
    return Default;
  }
  return length > 0 ? std::string(buffer, length) : Default;
}

int64_t ReadIniInteger(const std::string& File, const std::string& Section, const std::string& Key,
                       int64_t Default) {
  int64_t value = Default;
  return TryParseInt64(ReadIniString(File, Section, Key, std::to_string(Default)), value) ? value
                                                                                          : Default;
}

bool ReadIniFlag(const std::string& File, const std::string& Section, const std::string& Key) {
  return ReadIniString(File, Section, Key, "0") == "1";
}

bool WriteIniString(const std::string& File, const std::string& Section, const std::string& Key,
                    const std::string& Value) {
  if (File.empty() || Section.empty() || Key.empty()) return false;
  return ::WritePrivateProfileStringA(Section.c_str(), Key.c_str(), Value.c_str(), File.c_str()) !=
         FALSE;
}

bool WriteIniInteger(const std::string& File, const std::string& Section, const std::string& Key,
                     int64_t Value) {
  return WriteIniString(File, Section, Key, std::to_string(Value));
}

}  // namespace sys
