// This file must contain only truly operating-system independent code.
#include "TrailerLocator.h"

#include "Printable.h"
#include "ProgramMachine.h"
#include "pack/GFileInfo.h"

namespace stubpack {
namespace {

bool ReadTrailerLength(const pack::ByteSource& file, uint64_t end, uint32_t& length,
                       std::string& error) {
  uint8_t raw[4];
  if (end < 4 || !file.ReadAt(end - 4, raw, 4)) {
    error = "too short to hold a package trailer (" + std::to_string(end) + " bytes)";
    return false;
  }
  length = pack::ReadLE32(raw);
  if (length >= 5 && length <= end) return true;
  error = "trailer length " + std::to_string(length) + " does not fit a package of " +
          std::to_string(end) + " bytes";
  return false;
}

bool LocatePackageEnd(const pack::ByteSource& file, VolumeReport& volume, uint64_t& end,
                      std::string& error) {
  if (!file.Size(volume.fileSize)) {
    error = "cannot tell the file size";
    return false;
  }
  end = volume.fileSize;
  volume.isPE = TGFileInfo::IsPEFile(file);
  if (!volume.isPE) return true;
  volume.machine = ReadProgramMachine(file);
  volume.packageEnd = TGFileInfo::ReadPackageEnd(file);
  if (volume.packageEnd > volume.fileSize) {
    error = "PackageEnd " + std::to_string(volume.packageEnd) +
            " lies beyond the end of the file (" + std::to_string(volume.fileSize) + " bytes)";
    return false;
  }
  if (volume.packageEnd > 0) end = volume.packageEnd;
  return true;
}

}  // namespace

bool LocateTrailer(const pack::ByteSource& file, VolumeReport& volume, std::string& error) {
  uint64_t end = 0;
  uint32_t length = 0;
  if (!LocatePackageEnd(file, volume, end, error) || !ReadTrailerLength(file, end, length, error))
    return false;
  volume.trailerOffset = end - length;
  if (!TGFileInfo::ReadTrailer(file, volume.trailer)) {
    error = "cannot read the trailer at offset " + std::to_string(volume.trailerOffset);
    return false;
  }
  if (volume.trailer.Magic() != pack::kMagic) {
    error = "no package: the trailer's magic is " + Hex32(volume.trailer.Magic()) + ", not " +
            Hex32(pack::kMagic);
    return false;
  }
  if (volume.trailer.PackageStart() > volume.trailerOffset) {
    error = "PackageStart " + std::to_string(volume.trailer.PackageStart()) +
            " lies past the trailer at offset " + std::to_string(volume.trailerOffset);
    return false;
  }
  return true;
}

}  // namespace stubpack
