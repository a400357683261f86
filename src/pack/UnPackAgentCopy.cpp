// This file must contain only truly operating-system independent code.
#include "pack/UnPackAgentCopy.h"

#include "pack/GFileInfo.h"
#include "pack/PESecurityDirectory.h"
#include "pack/PackFormat.h"

namespace pack {
namespace {

// Where a signature that a signing tool appended begins: it ends the file. 0 when there is none.
uint64_t SignatureStart(const std::string& image) {
  SecurityDirectory signature;
  if (!FindSecurityDirectory(image, signature) || signature.offset == 0) return 0;
  const uint64_t end = uint64_t{signature.offset} + signature.size;
  return end == image.size() ? signature.offset : 0;
}

}  // namespace

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
  DropSignature(image);
  trailer.bytes[at::ThisIs_AutoUpdateProg] = 1;
  trailer.SetWord(at::TrailerSize, kTrailerSize);
  image.append(reinterpret_cast<const char*>(trailer.bytes), kTrailerSize);
  return true;
}

uint64_t PackageEndOfImage(const std::string& image) {
  const uint64_t packageEnd = TGFileInfo::ReadPackageEnd(MemorySource(image)) & 0xFFFFFFFFu;
  if (packageEnd > 0 && packageEnd <= image.size()) return packageEnd;
  // A file signed without a PackageEnd: the package is whatever precedes the signature.
  const uint64_t signatureStart = packageEnd == 0 ? SignatureStart(image) : 0;
  return signatureStart > 0 ? signatureStart : image.size();
}

void DropSignature(std::string& image) {
  image.resize(static_cast<size_t>(PackageEndOfImage(image)));
  ClearSecurityDirectory(image);
}

}  // namespace pack
