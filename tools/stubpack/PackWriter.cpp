// This file must contain only truly operating-system independent code.
#include "PackWriter.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <limits>
#include <system_error>

#include "EntryBlock.h"
#include "PackPlan.h"
#include "VolumeFile.h"
#include "VolumeNames.h"

namespace stubpack {
namespace {

std::string Word(uint32_t value) {
  uint8_t raw[4];
  pack::WriteLE32(raw, value);
  return std::string(reinterpret_cast<const char*>(raw), 4);
}

// A program file records where its package ends (PackageEnd in its DOS area), so that a code
// signature appended to it later leaves the package where the stub finds it.
bool StorePackageEnd(VolumeFile& file, std::string& error) {
  const uint64_t packageEnd = file.Size();
  return file.Overwrite(pack::kPackageEndHighOffset, Word(static_cast<uint32_t>(packageEnd >> 32)),
                        error) &&
         file.Overwrite(pack::kPackageEndLowOffset, Word(static_cast<uint32_t>(packageEnd)), error);
}

// Bisection steps when a file is cut at a volume boundary; enough to fill a volume to within
// a few bytes per mebibyte of entry.
constexpr int kFitSteps = 20;

class PackWriter {
 public:
  PackWriter(const PackOptions& options, const PackPlan& plan, PackResult& result)
      : options_(options), plan_(plan), result_(result) {}

  bool Write(std::string& error);

 private:
  bool OpenVolume(std::string& error);
  bool FinishVolume(bool hasNextVolume, std::string& error);
  bool StoreChecksum(uint64_t trailerOffset, std::string& error);
  uint64_t RoomLeft() const;

  bool PackFile(const PlannedFile& planned, std::string& error);
  bool TopUp(std::ifstream& in, const PlannedFile& planned, uint64_t& unread, std::string& pending,
             std::string& error) const;
  bool WriteNextEntry(const std::string& nameList, const std::string& pending, size_t& used,
                      std::string& error);
  bool FitEntry(const std::string& nameList, const std::string& pending, EntryBlock& block,
                size_t& used, std::string& error) const;
  bool LargestFittingPart(const std::string& nameList, const std::string& pending, uint64_t room,
                          size_t& fits, std::string& error) const;
  bool Encode(const std::string& nameList, const std::string& pending, size_t n, EntryBlock& block,
              std::string& error) const;

  const PackOptions& options_;
  const PackPlan& plan_;
  PackResult& result_;
  VolumeFile volume_;
  int volumeNumber_ = 0;
  uint32_t packageStart_ = 0;
  size_t entriesInVolume_ = 0;
};

bool PackWriter::Write(std::string& error) {
  if (!OpenVolume(error)) return false;
  for (const PlannedFile& planned : plan_.files)
    if (!PackFile(planned, error)) return false;
  result_.filesCount = plan_.trailer.FilesCount();
  for (const PlannedFile& planned : plan_.files) result_.totalSize += planned.size;
  return FinishVolume(false, error);
}

bool PackWriter::OpenVolume(std::string& error) {
  if (++volumeNumber_ > kMaxVolumes) {
    error = "the package needs more than " + std::to_string(kMaxVolumes) + " volumes";
    return false;
  }
  const std::string path = VolumePath(options_.outPath, volumeNumber_);
  entriesInVolume_ = 0;
  if (!volume_.Create(path, error)) return false;
  result_.volumePaths.push_back(path);
  // Only the first volume carries the stub and the header strings.
  packageStart_ = volumeNumber_ == 1 ? static_cast<uint32_t>(plan_.stubImage.size()) : 0;
  return volumeNumber_ > 1 ||
         (volume_.Append(plan_.stubImage, error) && volume_.Append(plan_.headerBytes, error));
}

bool PackWriter::FinishVolume(bool hasNextVolume, std::string& error) {
  pack::TPackTrailer trailer = plan_.trailer;
  trailer.SetWord(pack::at::PackageStart, packageStart_);
  if (hasNextVolume) trailer.bytes[pack::at::Flags] |= pack::kHasNextVolume;
  const bool fixed = options_.checksum.mode == ChecksumPolicy::Mode::Fixed;
  trailer.SetWord(pack::at::VolumeChecksum, fixed ? options_.checksum.value : pack::kNoChecksum);
  const uint64_t trailerOffset = volume_.Size();
  if (!volume_.Append(std::string(reinterpret_cast<const char*>(trailer.bytes), pack::kTrailerSize),
                      error))
    return false;
  if (volumeNumber_ == 1 && plan_.stubIsPE && !StorePackageEnd(volume_, error)) return false;
  // Data after the package, as a code signature appended later would be.
  if (volumeNumber_ == 1 && !volume_.AppendFill(options_.signatureTail, error)) return false;
  if (options_.checksum.mode == ChecksumPolicy::Mode::Auto && !StoreChecksum(trailerOffset, error))
    return false;
  return volume_.Close(error);
}

// The sum skips the trailer, so it can be computed with the trailer in place and stored there.
bool PackWriter::StoreChecksum(uint64_t trailerOffset, std::string& error) {
  const std::string* image = volume_.SmallImage();
  if (image == nullptr) return true;
  const uint32_t sum = pack::ComputeVolumeChecksum(reinterpret_cast<const uint8_t*>(image->data()),
                                                   image->size(), pack::kTrailerSize);
  return volume_.Overwrite(trailerOffset + pack::at::VolumeChecksum, Word(sum), error);
}

uint64_t PackWriter::RoomLeft() const {
  if (options_.volumeSize == 0) return std::numeric_limits<uint64_t>::max();
  uint64_t reserved = volume_.Size() + pack::kTrailerSize;
  if (volumeNumber_ == 1) reserved += options_.signatureTail;
  return options_.volumeSize > reserved ? options_.volumeSize - reserved : 0;
}

bool PackWriter::PackFile(const PlannedFile& planned, std::string& error) {
  std::ifstream in(planned.file.source, std::ios::binary);
  if (!in) {
    error = planned.file.source + ": cannot open";
    return false;
  }
  const std::string nameList = EntryNameList(planned.file, planned.dosDate);
  uint64_t unread = planned.size;
  std::string pending;
  // An empty file still needs its one entry, so that the stub creates it.
  do {
    size_t used = 0;
    if (!TopUp(in, planned, unread, pending, error) ||
        !WriteNextEntry(nameList, pending, used, error))
      return false;
    pending.erase(0, used);
  } while (unread > 0 || !pending.empty());
  if (in.peek() != std::char_traits<char>::eof()) {
    error = planned.file.source + ": the file grew while it was being packed";
    return false;
  }
  return true;
}

bool PackWriter::TopUp(std::ifstream& in, const PlannedFile& planned, uint64_t& unread,
                       std::string& pending, std::string& error) const {
  const size_t want =
      static_cast<size_t>(std::min<uint64_t>(unread, options_.entrySize - pending.size()));
  const size_t had = pending.size();
  pending.resize(had + want);
  if (want > 0 && !in.read(&pending[had], static_cast<std::streamsize>(want))) {
    error =
        planned.file.source + ": the file shrank or could not be read while it was being packed";
    return false;
  }
  unread -= want;
  return true;
}

bool PackWriter::WriteNextEntry(const std::string& nameList, const std::string& pending,
                                size_t& used, std::string& error) {
  for (;;) {
    EntryBlock block;
    if (!FitEntry(nameList, pending, block, used, error)) return false;
    if (!block.bytes.empty()) {
      ++entriesInVolume_;
      ++result_.entryCount;
      return volume_.Append(block.bytes, error);
    }
    if (!FinishVolume(true, error) || !OpenVolume(error)) return false;
  }
}

bool PackWriter::Encode(const std::string& nameList, const std::string& pending, size_t n,
                        EntryBlock& block, std::string& error) const {
  return EncodeEntryBlock(nameList, pending.data(), n, options_.compression, options_.level, block,
                          error);
}

// The largest leading part of pending whose block fits the room left in this volume. An empty
// block means that nothing fits and the next volume must take it. When not even a byte fits into
// a volume that holds no entry yet, it takes the whole of pending all the same, so that a stub
// larger than the volume size still makes progress.
bool PackWriter::FitEntry(const std::string& nameList, const std::string& pending,
                          EntryBlock& block, size_t& used, std::string& error) const {
  const uint64_t room = RoomLeft();
  used = pending.size();
  if (!Encode(nameList, pending, used, block, error)) return false;
  if (block.bytes.size() <= room) return true;
  size_t fits = 0;
  if (!LargestFittingPart(nameList, pending, room, fits, error)) return false;
  if (fits == 0 && entriesInVolume_ == 0) return true;
  block = EntryBlock{};
  used = fits;
  return fits == 0 || Encode(nameList, pending, fits, block, error);
}

// Bisects for the largest n < pending.size() whose block fits room; 0 when none does.
bool PackWriter::LargestFittingPart(const std::string& nameList, const std::string& pending,
                                    uint64_t room, size_t& fits, std::string& error) const {
  fits = 0;
  if (pending.size() <= 1) return true;
  size_t high = pending.size() - 1;  // fits stays a size that fits (0 standing for none)
  // Stored, n bytes make a block of exactly StoredBlockSize; compressing can only make it smaller.
  const uint64_t overhead = StoredBlockSize(nameList.size(), 0);
  if (options_.compression != Compression::Zlib && room > overhead)
    fits = static_cast<size_t>(std::min<uint64_t>(room - overhead, high));
  if (options_.compression == Compression::Store) return true;
  for (int step = 0; step < kFitSteps && fits < high; ++step) {
    const size_t middle = fits + (high - fits + 1) / 2;
    EntryBlock trial;
    if (!Encode(nameList, pending, middle, trial, error)) return false;
    if (trial.bytes.size() <= room)
      fits = middle;
    else
      high = middle - 1;
  }
  return true;
}

void RemoveVolumes(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) {
    std::error_code ec;
    std::filesystem::remove(std::filesystem::path(path), ec);
  }
}

// The launcher of a disk set that runs from a copy: the stub and its header strings, so that
// the copy knows its texts and flags, and a trailer; its entries are in the ".001" volume.
bool WriteLauncher(const std::string& path, const PackPlan& plan, std::string& error) {
  VolumeFile launcher;
  pack::TPackTrailer trailer = plan.trailer;
  trailer.SetWord(pack::at::PackageStart, static_cast<uint32_t>(plan.stubImage.size()));
  trailer.SetWord(pack::at::VolumeChecksum, pack::kNoChecksum);
  return launcher.Create(path, error) && launcher.Append(plan.stubImage, error) &&
         launcher.Append(plan.headerBytes, error) &&
         launcher.Append(std::string(reinterpret_cast<const char*>(trailer.bytes), pack::kTrailerSize),
                         error) &&
         (!plan.stubIsPE || StorePackageEnd(launcher, error)) && launcher.Close(error);
}

bool NeedsLauncher(const PackOptions& options) {
  return (options.flags & pack::kSpanCdCopy) != 0 &&
         VolumeBaseName(options.outPath) == options.outPath;
}

}  // namespace

bool WritePackage(const PackOptions& options, PackResult& result, std::string& error) {
  result = PackResult{};
  PackPlan plan;
  if (!PlanPackage(options, plan, error)) return false;
  // A disk set that runs from a copy starts from OUT and reads its volumes from OUT.001 on.
  PackOptions volumes = options;
  if (NeedsLauncher(options)) volumes.outPath += ".001";
  bool written = false;
  {
    // The writer's open volume must be closed before a failed package can be removed.
    PackWriter writer(volumes, plan, result);
    written = writer.Write(error);
  }
  if (written && NeedsLauncher(options)) {
    result.launcherPath = options.outPath;
    written = WriteLauncher(options.outPath, plan, error);
    if (!written) result.volumePaths.push_back(options.outPath);
  }
  if (written) return true;
  RemoveVolumes(result.volumePaths);
  result = PackResult{};
  return false;
}

}  // namespace stubpack
