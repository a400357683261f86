// Test fixture: a program file image with a package, put together byte by byte so that tests can
// also build the damaged and odd layouts a builder would never write.
#pragma once

#include <cstdint>
#include <string>

#include "pack/PackFormat.h"

namespace testimg {

inline void PutWord(std::string& s, size_t at, uint32_t v) {
  if (s.size() < at + 4) s.resize(at + 4, '\0');
  pack::WriteLE32(reinterpret_cast<uint8_t*>(&s[at]), v);
}

inline std::string Word(uint32_t v) {
  std::string s;
  PutWord(s, 0, v);
  return s;
}

// A stand-in for the stub: "MZ", "PE" at 256, padded to 1024 bytes (or a plain blob).
inline std::string FakeProgram(bool pe = true, size_t size = 1024) {
  std::string s(size, '\0');
  if (pe) {
    s[0] = 'M', s[1] = 'Z';
    s[256] = 'P', s[257] = 'E';
  }
  return s;
}

struct Package {
  std::string program = FakeProgram();
  uint8_t version = 2;
  std::string langData = "|";
  std::string updateInfo = "|";
  std::string webSetupInfo = "|";
  std::string entries = "ENTRIES!";  // whatever follows the header strings
  pack::TPackTrailer trailer;
  std::string tail;                  // bytes after the package (a signature)
  bool setPackageEnd = false;

  Package() {
    trailer.SetWord(pack::at::Magic, pack::kMagic);
    trailer.SetWord(pack::at::TrailerSize, pack::kTrailerSize);
  }

  std::string HeaderStrings() const {
    std::string h = Word(static_cast<uint32_t>(langData.size())) + langData +
                    Word(static_cast<uint32_t>(updateInfo.size())) + updateInfo;
    if (version >= 3) h += Word(static_cast<uint32_t>(webSetupInfo.size())) + webSetupInfo;
    return h;
  }

  std::string Build() const {
    pack::TPackTrailer t = trailer;
    t.bytes[pack::at::Version] = version;
    t.SetWord(pack::at::PackageStart, static_cast<uint32_t>(program.size()));
    std::string image = program + HeaderStrings() + entries +
                        std::string(reinterpret_cast<const char*>(t.bytes), sizeof t.bytes);
    if (setPackageEnd) {
      uint64_t end = image.size();
      PutWord(image, pack::kPackageEndHighOffset, static_cast<uint32_t>(end >> 32));
      PutWord(image, pack::kPackageEndLowOffset, static_cast<uint32_t>(end));
    }
    return image + tail;
  }
};

}  // namespace testimg
