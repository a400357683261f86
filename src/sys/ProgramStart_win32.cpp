// This file must contain only Win32 code.
#include "sys/ProgramStart.h"

namespace sys {

ScopedKernelHandle StartProgram(std::string commandLine, bool shown, const std::string& program) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(shown ? SW_SHOW : SW_HIDE);
  PROCESS_INFORMATION started{};
  if (!::CreateProcessA(program.empty() ? nullptr : program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started))
    return ScopedKernelHandle();
  ::CloseHandle(started.hThread);
  return ScopedKernelHandle(started.hProcess);
}

}  // namespace sys
