// Fuzz target: the descriptor of an arbitrary program file image. Nothing may crash or read out
// of range, whatever the trailer and header strings claim.
#include <cstddef>
#include <cstdint>

#include "pack/GFileInfo.h"

int FuzzDescriptor(const uint8_t* data, size_t size) {
  pack::MemorySource image(data, size);
  TGFileInfo info;
  info.Create(image);
  volatile size_t sink = info.LangData().size() + info.UpdateInfo().size();
  sink = sink + info.GetProductToken(true).size() + info.GetWebSetupToken(true).size() +
         info.GetOriginalFileName().size() + info.GetInfoFileName().size() +
         info.GetProgramExeName().size() + info.GetWebSetupSize().size();
  sink = sink + static_cast<size_t>(info.SpaceRequiredForCluster(4096));
  (void)sink;
  // A file without a package must read as empty.
  if (!info.HasPackage() && (!info.UpdateInfo().empty() || info.Trailer().Flags() != 0))
    __builtin_trap();
  return 0;
}

#ifndef FUZZ_REGRESSION_ONLY
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return FuzzDescriptor(data, size);
}
#endif
