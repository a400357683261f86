// The build machine's own tools (openssl, osslsigncode) run from native tests, to show that what
// stubpack and the stub write is what those tools read and write.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <string>

namespace shelltools {

// Single quotes for the shell.
inline std::string Quote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// The command's exit code (its output goes to the test's log); -1 when it did not run.
inline int Run(const std::string& command) {
  const int status = std::system(command.c_str());
  return status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

inline bool Have(const char* tool) {
  return Run(std::string("command -v ") + tool + " >/dev/null 2>&1") == 0;
}

}  // namespace shelltools
