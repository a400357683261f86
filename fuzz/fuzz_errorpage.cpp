// Fuzz target: the error-page test over arbitrary downloaded bytes. Nothing may crash or read out
// of range, only the first kErrorPageWindow bytes may decide, and the message must follow the
// test.
#include <cstddef>
#include <cstdint>
#include <string>

#include "net/ErrorPage.h"

int FuzzErrorPage(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const bool isPage = inethttp::IsHtmlErrorPage("", text);
  if (isPage != inethttp::IsHtmlErrorPage("", text.substr(0, inethttp::kErrorPageWindow)))
    __builtin_trap();
  std::string message;
  inethttp::ErrorPageMessage("", text, "http://host/file.exe", message, "Default");
  if ((message == "Default") == isPage) __builtin_trap();
  return 0;
}

#ifndef FUZZ_REGRESSION_ONLY
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return FuzzErrorPage(data, size);
}
#endif
