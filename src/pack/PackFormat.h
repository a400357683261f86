// Layout of the package that the builder appends to a program file: the 74-byte trailer, the
// PackageEnd words in the DOS stub area, and the volume checksum. Shared by the stub (reading)
// and stubpack (writing), so both sides agree byte for byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace pack {

constexpr uint32_t kMagic = 0x4A3B2C1D;
constexpr uint32_t kTrailerSize = 74;
// A VolumeChecksum of this value means: the volume is not checksummed.
constexpr uint32_t kNoChecksum = 1234;
// Volumes larger than this carry kNoChecksum.
constexpr uint64_t kChecksumLimit = 51200;

// Header strings are short texts: language data, update and web-setup items. A longer one is
// damage; a reader never allocates what a hostile length word asks for.
constexpr uint32_t kLongestHeaderString = 16u << 20;

// PackageEnd lives in the DOS stub area: high half at 248, low half at 252. The PE header of
// the stub starts at 256 ("PE" there is how a program file is recognised).
constexpr uint64_t kPackageEndHighOffset = 248;
constexpr uint64_t kPackageEndLowOffset = 252;
constexpr uint64_t kPEHeaderOffset = 256;

enum TrailerFlag : uint8_t {
  kNotifyTempDrive = 1 << 0,
  kHasNextVolume = 1 << 1,
  kSpanCdCopy = 1 << 2,
  kShowActivityBar = 1 << 3,
  kAgentDebugLog = 1 << 4,
};

// Byte offsets of the trailer fields.
namespace at {
constexpr size_t Version = 1, PackageStart = 4, FilesCount = 8, Magic = 12, VolumeChecksum = 16,
                 TotalSize = 28, SizeOnDisk = 32, Flags = 65, IsWebSetup = 66, ConfirmDownload = 67,
                 MakeAgentCopy = 68, ThisIs_AutoUpdateProg = 69, TrailerSize = 70;
}  // namespace at

// The trailer record, kept as its 74 raw bytes so that a shorter trailer of an older layout can
// fill only its leading fields. All words are little-endian.
struct TPackTrailer {
  uint8_t bytes[kTrailerSize] = {};

  uint32_t Word(size_t offset) const;
  void SetWord(size_t offset, uint32_t value);

  uint8_t Version() const { return bytes[at::Version]; }
  uint32_t PackageStart() const { return Word(at::PackageStart); }
  uint32_t FilesCount() const { return Word(at::FilesCount); }
  uint32_t Magic() const { return Word(at::Magic); }
  uint32_t VolumeChecksum() const { return Word(at::VolumeChecksum); }
  uint32_t TotalSize() const { return Word(at::TotalSize); }
  // Entry i (1 to 8): total size rounded per file to clusters of 512 << (i - 1) bytes.
  uint32_t SizeOnDisk(int i) const { return Word(at::SizeOnDisk + 4 * static_cast<size_t>(i - 1)); }
  uint8_t Flags() const { return bytes[at::Flags]; }
  uint32_t TrailerSize() const { return Word(at::TrailerSize); }
  bool Flag(TrailerFlag f) const { return (Flags() & f) != 0; }
  bool Byte(size_t offset) const { return bytes[offset] != 0; }

  void Clear();
};

// Cluster size of SizeOnDisk entry i (1 to 8).
constexpr uint32_t SizeClass(int i) { return 512u << (i - 1); }

uint32_t ReadLE32(const uint8_t* p);
void WriteLE32(uint8_t* p, uint32_t value);

// True when bytes 0-1 are "MZ" and bytes 256-257 are "PE" of the given file head (at least
// 258 bytes; a shorter head is no PE file).
bool IsPEImage(const uint8_t* head, size_t size);

// Word sum of a small volume as the extraction verifies it. image is the whole volume file;
// trailerSize is the TrailerSize its trailer records.
uint32_t ComputeVolumeChecksum(const uint8_t* image, size_t size, uint32_t trailerSize);
// A volume passes when the sums agree or either of them is kNoChecksum.
inline bool VolumeChecksumPasses(uint32_t computed, uint32_t stored) {
  return computed == stored || computed == kNoChecksum || stored == kNoChecksum;
}

}  // namespace pack
