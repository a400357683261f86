// What the benchmarks need from the system they run on: a file service for the extraction (the
// stub's own one on Windows, plain files elsewhere), the process's peak memory, and a clock.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "pack/UnPackHost.h"

namespace bench {

// The host the extraction writes through; paths use "\" between folders.
std::unique_ptr<pack::UnPackHost> MakeFileHost();
// A path of the benchmark's file system with "\" between folders, as the extraction uses them.
std::string NativePath(const std::string& path);
// Milliseconds of fixed waits the extraction asked for so far; the host does not wait them.
uint64_t& PacingMs();
// How often the host dispatched window messages during the extractions so far; empty where
// there is no window system.
std::string DispatchReport();
// Peak resident memory of this process so far, in bytes.
uint64_t PeakMemoryBytes();
double SecondsNow();

}  // namespace bench
