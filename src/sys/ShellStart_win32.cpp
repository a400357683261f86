// This file must contain only Win32 code.
#include "sys/ShellStart.h"

#include "sys/Platform.h"

#include <shellapi.h>

namespace sys {

bool StartDocument(const std::string& File, const std::string& Parameters, int Show) {
  HINSTANCE result = ::ShellExecuteA(::GetDesktopWindow(), nullptr, File.c_str(),
                                     Parameters.empty() ? nullptr : Parameters.c_str(), nullptr,
                                     Show);
  // Values up to 32 are error codes.
  return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace sys
