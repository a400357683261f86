// What a setup author asks stubpack to build: the files, the header items and the trailer flags.
// Plain data; the command line fills it, PackWriter turns it into package files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace stubpack {

// The stub inflates one entry at a time; keeping entries this small bounds its memory.
constexpr uint32_t kDefaultEntrySize = 1u << 20;
// The largest entry data we write, and so the largest the package reader accepts.
constexpr uint32_t kMaxEntrySize = 64u << 20;

enum class Compression {
  Auto,   // zlib, unless it does not make the entry smaller
  Zlib,   // always zlib
  Store,  // never compress
};

struct PackFile {
  std::string source;     // path on the build machine
  std::string target;     // name relative to the destination folder, "\" between folders
  bool isRun = false;     // the setup engine that the stub starts after extraction
  std::string runParams;  // its command-line parameters
};

struct UpdateInfoItems {
  std::string url;           // update info URL
  std::string infoFile;      // name of the ".info" file
  std::string agentExe;      // file name of the auto-update agent program
  std::string productToken;  // plain; stored scrambled
  bool hideSetup = false;
  std::string publicKey;  // text of the key that signs the updates; item 5, only when given
};

struct WebSetupInfoItems {
  std::string url;       // URL folder of the setup file
  std::string fileName;  // setup file name
  bool alwaysDownload = false;
  std::string token;  // plain; stored scrambled
  std::string size;   // decimal byte count, or empty
  std::string sha256;  // the setup file's SHA-256 text; item 5, only when given
};

struct ChecksumPolicy {
  enum class Mode {
    Auto,   // word sum of small volumes, "not checksummed" for larger ones
    None,   // every volume "not checksummed"
    Fixed,  // the given value in every volume (to test how damage is detected)
  };
  Mode mode = Mode::Auto;
  uint32_t value = 0;
};

struct PackOptions {
  std::string stubPath;  // empty: a bare package without a program in front
  std::string outPath;   // the first volume
  std::vector<PackFile> files;

  std::string langData = "|";  // a list without items: no translations
  UpdateInfoItems updateInfo;
  WebSetupInfoItems webSetupInfo;

  uint8_t version = 3;
  uint64_t volumeSize = 0;  // 0: everything in one file
  uint32_t entrySize = kDefaultEntrySize;
  Compression compression = Compression::Auto;
  int level = 9;

  // Trailer flag bits (pack::TrailerFlag) except HasNextVolume, which the writer sets.
  uint8_t flags = 0;
  bool isWebSetup = false;
  bool confirmDownload = false;
  bool makeAgentCopy = false;
  bool autoUpdateProg = false;

  ChecksumPolicy checksum;
  uint64_t signatureTail = 0;  // bytes appended after the package, as a code signature would be
  bool fixedDate = false;      // use dosDate for every entry instead of the files' own dates
  uint32_t dosDate = 0;
};

}  // namespace stubpack
