// Finds a volume's trailer the way the stub does (last 4 bytes, or before PackageEnd in a signed
// program file) and says precisely what is wrong when it cannot be found: the stub itself only
// sees "no package", which helps nobody repair one.
#pragma once

#include <string>

#include "PackReport.h"
#include "pack/ByteSource.h"

namespace stubpack {

// Fills fileSize, isPE, machine, packageEnd, trailerOffset and trailer of volume. Fails on anything that
// would make the stub read out of range or find no package.
bool LocateTrailer(const pack::ByteSource& file, VolumeReport& volume, std::string& error);

}  // namespace stubpack
