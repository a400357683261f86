// What the inspector finds in a package: every volume's trailer and checksum, the header items,
// the language sections, and each entry and file of the stream.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pack/PackFormat.h"

namespace stubpack {

struct VolumeReport {
  int number = 0;
  std::string path;
  uint64_t fileSize = 0;
  bool isPE = false;
  uint16_t machine = 0;        // of a program file: the processor it is built for
  uint64_t packageEnd = 0;     // the words at 248/252 of a program file, else 0
  uint64_t trailerOffset = 0;  // where the trailer begins
  pack::TPackTrailer trailer;  // as stored, PackageStart included
  uint64_t firstEntryOffset = 0;
  bool checksummed = false;  // small enough for the word sum
  uint32_t computedChecksum = pack::kNoChecksum;
  bool checksumPasses = false;
};

struct LangSection {
  std::string name;
  char separator = 0;
  std::vector<std::string> pairs;  // Key=Value as stored
};

struct HeaderReport {
  std::string langData, updateInfo, webSetupInfo;  // raw header strings
  char langSeparator = 0;
  std::vector<LangSection> sections;

  std::string updateInfoURL, infoFile, originalFile, agentExe;
  std::string productTokenStored, productToken;  // scrambled and plain
  bool hideSetup = false;
  std::string updatePublicKey;

  std::string webSetupURL, webSetupFile, webSetupSize, webSetupSHA256;
  std::string webTokenStored, webToken;
  bool alwaysDownload = false;
};

struct EntryReport {
  int volume = 0;
  uint64_t offset = 0;  // of the Length word
  bool zlib = false;
  uint64_t bodySize = 0;
  std::string nameList;
  bool skipped = false;  // empty name list: the stub reads the entry and writes nothing
  std::string name;      // item 0 up to "*"
  bool isRun = false;
  std::string runParams;
  std::string dateItem;  // item 1 as stored
  uint32_t dosDate = 0;  // 0 when item 1 is no number
  uint64_t dataSize = 0;
  uint32_t dataCrc = 0;  // CRC-32 of the entry's data
};

struct FileReport {
  std::string name;
  bool isRun = false;
  std::string runParams;
  uint32_t dosDate = 0;
  uint64_t size = 0;
  uint32_t crc = 0;  // CRC-32 of the whole file
  size_t entries = 0;
  int firstVolume = 0, lastVolume = 0;
};

struct PackageReport {
  std::vector<VolumeReport> volumes;
  HeaderReport header;
  std::vector<EntryReport> entries;
  std::vector<FileReport> files;

  uint64_t CountedTotalSize() const;
  const VolumeReport* FirstFailingVolume() const;
};

}  // namespace stubpack
