// Fuzz target: the whole extraction of an arbitrary package image, into an in-memory file
// service, once with names read in a single-byte code page and once in code page 932 (where the
// second byte of a character can be a "\"). Nothing may crash, read out of range or write outside
// the destination folder, a damaged package must never leave a program to run, and the program
// left to run must be a file the extraction wrote.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>

#include "pack/EntryTarget.h"
#include "pack/UnPack.h"
#include "pack/UnPackMemoryHost.h"
#include "sys/LeadBytes.h"

namespace {

void ExtractUnder(const std::string& image, sys::LeadBytePredicate leadBytes) {
  const std::string src = "C:\\src\\", dest = "C:\\dest";
  pack::UnPackMemoryHost host;
  host.keepData = false;
  host.writeLimit = 16u << 20;
  host.leadBytes = leadBytes;
  // The same image as second volume, so that spanned packages walk on to a third, missing one.
  host.AddFile(src + "Setup.exe", image);
  host.AddFile(src + "Setup.exe.002", image);
  uint32_t failedWrites = 0;
  pack::ExtractArgs args;
  args.PackagePath = src + "Setup.exe";
  args.DestFolder = dest;
  args.AgentExeName = "Agent.exe";
  args.DiskPrompt = "Disk <DISK_NUM>";
  args.FailedWrites = &failedWrites;
  const pack::ExtractResult result = pack::ExtractPackage(host, args);
  if (!result.ZlibError.empty() && (!result.Damaged || result.Ok || !result.RunEntry.empty()))
    __builtin_trap();
  if (result.Damaged && (result.Ok || !result.RunEntry.empty())) __builtin_trap();
  if (host.errorBoxes.size() > 1) __builtin_trap();
  std::set<std::string> written;
  for (const auto& file : host.files) {
    const std::string& path = file.first;
    if (path.compare(0, src.size(), src) == 0) continue;
    if (path.compare(0, dest.size() + 1, dest + "\\") != 0) __builtin_trap();
    const std::string name = path.substr(dest.size() + 1);
    if (!pack::IsSafeEntryName(name, leadBytes)) __builtin_trap();
    written.insert(pack::EntryFileKey(name, leadBytes));
  }
  if (result.RunEntry.empty()) return;
  const std::string program = pack::RunEntryProgram(result.RunEntry);
  if (written.count(pack::EntryFileKey(program, leadBytes)) == 0) __builtin_trap();
}

}  // namespace

int FuzzExtract(const uint8_t* data, size_t size) {
  const std::string image(reinterpret_cast<const char*>(data), size);
  ExtractUnder(image, nullptr);  // code page 1252, as every single-byte one
  ExtractUnder(image, sys::LeadBytesOfCodePage(932));
  return 0;
}

#ifndef FUZZ_REGRESSION_ONLY
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return FuzzExtract(data, size);
}
#endif
