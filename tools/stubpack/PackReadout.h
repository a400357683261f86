// Reads a package, all of its volumes, without trusting any of it: every length is checked
// against the file before it is followed.
#pragma once

#include <string>

#include "PackReport.h"

namespace stubpack {

// Fills report from the package whose first volume is path. Damage (a trailer, header string or
// block that does not fit, a zlib stream that does not inflate, a missing volume) fails with a
// one-line reason. A volume that fails its checksum is no failure here: report records it.
bool InspectPackage(const std::string& path, PackageReport& report, std::string& error);

}  // namespace stubpack
