// How the accessors of the update description files reach an INI file: through a small table of
// functions, so that the accessors stay portable and can be checked against an in-memory file.
// On Windows the main routine installs the system's private-profile functions once at start-up
// (UseSystemIni); a test installs its own table and restores the previous one afterwards.
#pragma once

#include <cstdint>
#include <string>

namespace au {

struct IniAccess {
  // Default when Section or Key is empty, or when the value is absent or empty.
  std::string (*ReadString)(const std::string& File, const std::string& Section,
                            const std::string& Key, const std::string& Default) = nullptr;
  // The value as a 64-bit integer; Default when absent or not a number.
  int64_t (*ReadInteger)(const std::string& File, const std::string& Section,
                         const std::string& Key, int64_t Default) = nullptr;
  // False when File, Section or Key is empty, or when the value could not be stored.
  bool (*WriteString)(const std::string& File, const std::string& Section, const std::string& Key,
                      const std::string& Value) = nullptr;
  bool (*WriteInteger)(const std::string& File, const std::string& Section, const std::string& Key,
                       int64_t Value) = nullptr;
};

// Installs Access for every later read and write; returns the table it replaces. A function left
// empty reads every value as its default and stores nothing.
IniAccess SetIniAccess(const IniAccess& Access);

// Windows only (UpdateFilesIni_win32.cpp): the table of the system's private-profile functions,
// and its installation, done once by the main routine before the agent runs.
IniAccess SystemIniAccess();
void UseSystemIni();

// Calls through the installed table. An empty File name reads the default and writes nothing, so
// an agent that knows no description file never creates a stray one.
std::string IniReadString(const std::string& File, const std::string& Section,
                          const std::string& Key, const std::string& Default);
int64_t IniReadInteger(const std::string& File, const std::string& Section, const std::string& Key,
                       int64_t Default);
bool IniWriteString(const std::string& File, const std::string& Section, const std::string& Key,
                    const std::string& Value);
bool IniWriteInteger(const std::string& File, const std::string& Section, const std::string& Key,
                     int64_t Value);

}  // namespace au
