// Everything about a package that is known before the first byte is written: the checked options,
// the stub image, the header strings, each file's size and date, and the trailer fields that all
// volumes share.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "PackOptions.h"
#include "pack/PackFormat.h"

namespace stubpack {

struct PlannedFile {
  PackFile file;
  uint64_t size = 0;
  uint32_t dosDate = 0;
};

struct PackPlan {
  std::string stubImage;  // PackageEnd words cleared when it is a program file
  bool stubIsPE = false;
  std::string headerBytes;
  std::vector<PlannedFile> files;
  pack::TPackTrailer trailer;  // without PackageStart, HasNextVolume and VolumeChecksum
};

bool PlanPackage(const PackOptions& options, PackPlan& plan, std::string& error);

}  // namespace stubpack
