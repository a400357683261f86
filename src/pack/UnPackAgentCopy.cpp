// This file must contain only truly operating-system independent code.
#include "pack/UnPackAgentCopy.h"

#include "pack/GFileInfo.h"
#include "pack/PESecurityDirectory.h"
#include "pack/PackFormat.h"

namespace pack {

bool BuildAgentCopy(const ByteSource& firstVolume, uint64_t headerEnd, std::string& image) {
  TPackTrailer trailer;
  TGFileInfo::ReadTrailer(firstVolume, trailer);
  uint64_t size = 0;
  if (headerEnd == 0 || headerEnd > kLongestAgentCopy - kTrailerSize) return false;
  if (!firstVolume.Size(size) || headerEnd > size) return false;
  image.assign(static_cast<size_t>(headerEnd), '\0');
  if (!firstVolume.ReadAt(0, &image[0], image.size())) return false;
  // The copy ends with its own trailer, so it keeps no PackageEnd.
  if (image.size() >= kPackageEndLowOffset + 4)
    WriteLE32(reinterpret_cast<uint8_t*>(&image[kPackageEndLowOffset]), 0);
  // Nor a code signature: that stayed at the end of the volume.
  ClearSecurityDirectory(image);
  trailer.bytes[at::ThisIs_AutoUpdateProg] = 1;
  trailer.SetWord(at::TrailerSize, kTrailerSize);
  image.append(reinterpret_cast<const char*>(trailer.bytes), kTrailerSize);
  return true;
}

}  // namespace pack
