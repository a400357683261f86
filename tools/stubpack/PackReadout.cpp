// This file must contain only truly operating-system independent code.
#include "PackReadout.h"

#include <zlib.h>

#include <map>

#include "DosDateTime.h"
#include "EntryTextReader.h"
#include "HeaderReader.h"
#include "Printable.h"
#include "TrailerLocator.h"
#include "VolumeNames.h"
#include "pack/ByteSource.h"
#include "pack/GFileInfo.h"
#include "sys/Host.h"
#include "sys/KoSUB.h"
#include "sys/UtilsText.h"

namespace stubpack {
namespace {

const char* const kHeaderNames[] = {"LangData", "UpdateInfo", "WebSetupInfo"};

std::string AtOffset(uint64_t offset) { return " at offset " + std::to_string(offset); }

bool ReadWord(const pack::ByteSource& file, uint64_t offset, uint32_t& value) {
  uint8_t raw[4];
  if (!file.ReadAt(offset, raw, 4)) return false;
  value = pack::ReadLE32(raw);
  return true;
}

// The extent of the block or header string at offset; it must end before the trailer. Header
// strings count their bytes unsigned, entry blocks carry a sign that tells how they are stored.
bool BlockExtent(const pack::ByteSource& file, uint64_t offset, uint64_t limit,
                 const std::string& what, bool isSigned, int32_t& length, uint64_t& bodySize,
                 std::string& error) {
  uint32_t raw = 0;
  if (limit - offset < 4 || !ReadWord(file, offset, raw)) {
    error =
        std::to_string(limit - offset) + " stray bytes" + AtOffset(offset) + " before the trailer";
    return false;
  }
  length = static_cast<int32_t>(raw);
  bodySize = !isSigned || length > 0 ? static_cast<uint64_t>(raw)
                                     : static_cast<uint64_t>(-static_cast<int64_t>(length));
  if (bodySize <= limit - offset - 4) return true;
  error = what + AtOffset(offset) + " claims " + std::to_string(bodySize) + " bytes, but only " +
          std::to_string(limit - offset - 4) + " remain before the trailer";
  return false;
}

class PackageWalk {
 public:
  PackageWalk(const std::string& path, PackageReport& report) : path_(path), report_(report) {}
  bool Run(std::string& error);

 private:
  bool InspectVolume(int k, bool& hasNext, std::string& error);
  bool CheckVersion(const VolumeReport& volume, std::string& error) const;
  bool ReadHeader(const pack::ByteSource& file, VolumeReport& volume, std::string& error);
  bool ReadBlocks(const pack::ByteSource& file, const VolumeReport& volume, std::string& error);
  bool ReadEntry(const pack::ByteSource& file, int volume, uint64_t offset, int32_t length,
                 uint64_t bodySize, std::string& error);
  bool DescribeNameList(EntryReport& entry, std::string& error) const;
  void AddToFile(const EntryReport& entry);
  void Checksum(const pack::ByteSource& file, VolumeReport& volume) const;

  std::string path_;
  PackageReport& report_;
  std::map<std::string, size_t> fileIndex_;  // lower-case name -> index in report_.files
};

bool PackageWalk::Run(std::string& error) {
  report_ = PackageReport{};
  bool hasNext = true;
  for (int k = 1; hasNext; ++k) {
    if (k > kMaxVolumes) {
      error = "more than " + std::to_string(kMaxVolumes) + " volumes";
      return false;
    }
    if (!InspectVolume(k, hasNext, error)) return false;
  }
  return true;
}

bool PackageWalk::InspectVolume(int k, bool& hasNext, std::string& error) {
  VolumeReport volume;
  volume.number = k;
  volume.path = VolumePath(path_, k);
  const std::string where =
      k == 1 ? std::string() : "volume " + std::to_string(k) + " (" + volume.path + "): ";
  pack::FileSource file(volume.path);
  if (!file.IsOpen()) {
    error = where + (k == 1 ? "cannot open the file" : "missing or unreadable");
    return false;
  }
  bool ok = LocateTrailer(file, volume, error) && CheckVersion(volume, error);
  volume.firstEntryOffset = volume.trailer.PackageStart();
  ok = ok && (k > 1 || ReadHeader(file, volume, error)) && ReadBlocks(file, volume, error);
  if (!ok) {
    error = where + error;
    return false;
  }
  Checksum(file, volume);
  hasNext = volume.trailer.Flag(pack::kHasNextVolume);
  report_.volumes.push_back(volume);
  return true;
}

bool PackageWalk::CheckVersion(const VolumeReport& volume, std::string& error) const {
  const uint8_t version = volume.trailer.Version();
  if (version == 2 || version == 3) return true;
  error = "package version " + std::to_string(version) + " is neither 2 nor 3";
  return false;
}

// Walks the header strings with bounds of its own, for a precise message, then lets the package
// descriptor read them, so that what is shown is what the stub sees.
bool PackageWalk::ReadHeader(const pack::ByteSource& file, VolumeReport& volume, std::string& error) {
  uint64_t offset = volume.trailer.PackageStart();
  for (int i = 0; i < volume.trailer.Version(); ++i) {
    int32_t length = 0;
    uint64_t size = 0;
    if (!BlockExtent(file, offset, volume.trailerOffset,
                     std::string("header string ") + kHeaderNames[i], false, length, size, error))
      return false;
    offset += 4 + size;
  }
  TGFileInfo info;
  info.Create(file);
  if (!info.HasPackage() || info.PackageStart() != offset) {
    error = "the package descriptor does not read the header strings as they are laid out";
    return false;
  }
  volume.firstEntryOffset = offset;
  report_.header = DescribeHeader(info);
  return true;
}

bool PackageWalk::ReadBlocks(const pack::ByteSource& file, const VolumeReport& volume,
                           std::string& error) {
  for (uint64_t offset = volume.firstEntryOffset; offset < volume.trailerOffset;) {
    int32_t length = 0;
    uint64_t bodySize = 0;
    if (!BlockExtent(file, offset, volume.trailerOffset, "block", true, length, bodySize, error) ||
        !ReadEntry(file, volume.number, offset, length, bodySize, error))
      return false;
    offset += 4 + bodySize;
  }
  return true;
}

bool PackageWalk::ReadEntry(const pack::ByteSource& file, int volume, uint64_t offset, int32_t length,
                          uint64_t bodySize, std::string& error) {
  EntryReport entry;
  entry.volume = volume;
  entry.offset = offset;
  entry.zlib = length > 0;
  entry.bodySize = bodySize;
  EntryText text;
  bool ok = ReadEntryText(file, offset + 4, bodySize, entry.zlib, text, error);
  entry.nameList = text.nameList;
  entry.dataSize = text.dataSize;
  entry.dataCrc = text.dataCrc;
  if (!ok || !DescribeNameList(entry, error)) {
    error = "block" + AtOffset(offset) + ": " + error;
    return false;
  }
  report_.entries.push_back(entry);
  if (!entry.skipped) AddToFile(entry);
  return true;
}

bool PackageWalk::DescribeNameList(EntryReport& entry, std::string& error) const {
  entry.skipped = entry.nameList.empty();
  if (entry.skipped) return true;
  const std::string item0 = sys::SUB::GetItem(entry.nameList, 0);
  const size_t star = item0.find('*');
  entry.name = item0.substr(0, star);
  entry.isRun = star != std::string::npos;
  if (entry.isRun) entry.runParams = item0.substr(star + 1);
  entry.dateItem = sys::SUB::GetItem(entry.nameList, 1);
  if (!ParseDosDate(entry.dateItem, entry.dosDate)) entry.dosDate = 0;
  if (!entry.name.empty()) return true;
  error = "name list \"" + Printable(entry.nameList) + "\" names no file";
  return false;
}

void PackageWalk::AddToFile(const EntryReport& entry) {
  const auto found = fileIndex_.emplace(sys::LowerCase(entry.name), report_.files.size());
  if (found.second) {
    FileReport file;
    file.name = entry.name;
    file.firstVolume = entry.volume;
    report_.files.push_back(file);
  }
  FileReport& file = report_.files[found.first->second];
  // Later entries of a file are appended to it; the last run marker and date are the ones used.
  file.isRun = file.isRun || entry.isRun;
  if (entry.isRun) file.runParams = entry.runParams;
  if (entry.dosDate != 0) file.dosDate = entry.dosDate;
  file.crc = static_cast<uint32_t>(
      crc32_combine(file.crc, entry.dataCrc, static_cast<z_off_t>(entry.dataSize)));
  file.size += entry.dataSize;
  file.entries += 1;
  file.lastVolume = entry.volume;
}

void PackageWalk::Checksum(const pack::ByteSource& file, VolumeReport& volume) const {
  volume.checksummed = volume.fileSize <= pack::kChecksumLimit;
  volume.computedChecksum = pack::kNoChecksum;
  volume.checksumPasses = true;
  if (!volume.checksummed) return;
  std::string image(static_cast<size_t>(volume.fileSize), '\0');
  if (!image.empty() && !file.ReadAt(0, &image[0], image.size())) {
    volume.checksumPasses = false;  // what cannot be read cannot pass
    return;
  }
  volume.computedChecksum = pack::ComputeVolumeChecksum(
      reinterpret_cast<const uint8_t*>(image.data()), image.size(), volume.trailer.TrailerSize());
  volume.checksumPasses =
      pack::VolumeChecksumPasses(volume.computedChecksum, volume.trailer.VolumeChecksum());
}

}  // namespace

bool InspectPackage(const std::string& path, PackageReport& report, std::string& error) {
  PackageWalk inspector(path, report);
  return inspector.Run(error);
}

}  // namespace stubpack
