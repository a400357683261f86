// Fuzz target: an inform file as a hostile server may publish it, plain or scrambled. Splitting
// it must neither crash nor read out of range, and the body is always a tail of the plain text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "agent/InformFile.h"
#include "sys/ScrambleText.h"

int FuzzInform(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const au::InformParts parts = au::SplitInformFile(text);
  const bool scrambled = text.rfind(sys::kScrambledMark, 0) == 0;
  const std::string plain = scrambled ? sys::ScrambleText(text, false) : text;
  if (parts.body.size() > plain.size() ||
      plain.compare(plain.size() - parts.body.size(), std::string::npos, parts.body) != 0)
    __builtin_trap();
  return 0;
}

#ifndef FUZZ_REGRESSION_ONLY
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return FuzzInform(data, size);
}
#endif
