// This file must contain only truly operating-system independent code.
#include "pack/PESecurityDirectory.h"

#include "pack/PackFormat.h"

namespace pack {
namespace {

constexpr size_t kNewHeaderPointer = 0x3C;  // e_lfanew of the DOS header
constexpr size_t kFileHeaderSize = 4 + 20;  // "PE\0\0" and the COFF file header
constexpr uint16_t kPE32 = 0x10B, kPE32Plus = 0x20B;
// In the optional header: the count of data directories, and where the directories begin.
constexpr size_t kDirectoryCountPE32 = 92, kDirectoriesPE32 = 96;
constexpr size_t kDirectoryCountPE32Plus = 108, kDirectoriesPE32Plus = 112;
constexpr uint32_t kSecurityEntry = 4;  // IMAGE_DIRECTORY_ENTRY_SECURITY
constexpr size_t kEntrySize = 8;

bool Has(const std::string& image, uint64_t offset, uint64_t size) {
  return offset <= image.size() && size <= image.size() - offset;
}

uint32_t Word(const std::string& image, uint64_t offset) {
  return ReadLE32(reinterpret_cast<const uint8_t*>(image.data()) + offset);
}

uint16_t Half(const std::string& image, uint64_t offset) {
  return static_cast<uint16_t>(static_cast<uint8_t>(image[offset]) |
                               static_cast<uint8_t>(image[offset + 1]) << 8);
}

}  // namespace

bool FindSecurityDirectory(const std::string& image, SecurityDirectory& directory) {
  if (!Has(image, 0, kNewHeaderPointer + 4) || image[0] != 'M' || image[1] != 'Z') return false;
  const uint64_t header = Word(image, kNewHeaderPointer);
  if (!Has(image, header, kFileHeaderSize + 2) || image.compare(header, 4, "PE\0\0", 4) != 0)
    return false;
  const uint64_t optional = header + kFileHeaderSize;
  const uint16_t magic = Half(image, optional);
  if (magic != kPE32 && magic != kPE32Plus) return false;
  const bool plus = magic == kPE32Plus;
  const uint64_t countAt = optional + (plus ? kDirectoryCountPE32Plus : kDirectoryCountPE32);
  const uint64_t entry =
      optional + (plus ? kDirectoriesPE32Plus : kDirectoriesPE32) + kSecurityEntry * kEntrySize;
  if (!Has(image, countAt, 4) || Word(image, countAt) <= kSecurityEntry ||
      !Has(image, entry, kEntrySize))
    return false;
  directory.entryOffset = entry;
  directory.offset = Word(image, entry);
  directory.size = Word(image, entry + 4);
  return true;
}

bool ClearSecurityDirectory(std::string& image) {
  SecurityDirectory directory;
  if (!FindSecurityDirectory(image, directory)) return false;
  image.replace(static_cast<size_t>(directory.entryOffset), kEntrySize, kEntrySize, '\0');
  return true;
}

}  // namespace pack
