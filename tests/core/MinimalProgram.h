// A complete, tiny Windows program file (one section whose code only returns), 32- or 64-bit,
// with its PE header at 256 as the stub's is: enough for osslsigncode to sign and verify it and
// for the PE readers to find every header field.
#pragma once

#include <cstdint>
#include <string>

#include "pack/PackFormat.h"

namespace testimg {

constexpr size_t kPEHeader = 256;
constexpr size_t kOptionalHeader = kPEHeader + 24;
constexpr size_t kCheckSumField = kOptionalHeader + 64;

inline void PutHalf(std::string& s, size_t at, uint16_t v) {
  s[at] = static_cast<char>(v & 0xFF);
  s[at + 1] = static_cast<char>(v >> 8);
}

inline void PutLE32(std::string& s, size_t at, uint32_t v) {
  pack::WriteLE32(reinterpret_cast<uint8_t*>(&s[at]), v);
}

// Offset of the security directory entry (data directory 4) in MinimalProgram(sixtyFour).
inline size_t SecurityEntryOffset(bool sixtyFour) { return kOptionalHeader + (sixtyFour ? 112 : 96) + 32; }

inline std::string MinimalProgram(bool sixtyFour) {
  const size_t optionalSize = sixtyFour ? 240 : 224, headers = 0x400, code = 0x200;
  std::string image(headers + code, '\0');
  image[0] = 'M', image[1] = 'Z';
  PutLE32(image, 0x3C, kPEHeader);
  image.replace(kPEHeader, 4, std::string("PE\0\0", 4));
  PutHalf(image, kPEHeader + 4, sixtyFour ? 0x8664 : 0x014C);  // machine
  PutHalf(image, kPEHeader + 6, 1);                            // one section
  PutHalf(image, kPEHeader + 20, static_cast<uint16_t>(optionalSize));
  PutHalf(image, kPEHeader + 22, sixtyFour ? 0x0022 : 0x0102);  // an executable image
  const size_t o = kOptionalHeader;
  PutHalf(image, o, sixtyFour ? 0x20B : 0x10B);
  PutLE32(image, o + 4, code);     // size of code
  PutLE32(image, o + 16, 0x1000);  // entry point
  PutLE32(image, o + 20, 0x1000);  // base of code
  if (sixtyFour)
    PutLE32(image, o + 24, 0x00400000);  // image base (low half of 64 bits)
  else
    PutLE32(image, o + 28, 0x00400000);
  PutLE32(image, o + 32, 0x1000);  // section alignment
  PutLE32(image, o + 36, 0x200);   // file alignment
  PutHalf(image, o + 40, 4);       // operating system version
  PutHalf(image, o + 48, 4);       // subsystem version
  PutLE32(image, o + 56, 0x2000);  // size of image
  PutLE32(image, o + 60, headers);
  PutHalf(image, o + 68, 2);  // the GUI subsystem
  const size_t stack = o + 72, step = sixtyFour ? 8 : 4;
  PutLE32(image, stack, 0x100000);
  PutLE32(image, stack + step, 0x1000);
  PutLE32(image, stack + 2 * step, 0x100000);
  PutLE32(image, stack + 3 * step, 0x1000);
  PutLE32(image, o + (sixtyFour ? 108 : 92), 16);  // data directories
  const size_t section = o + optionalSize;
  image.replace(section, 5, ".text");
  PutLE32(image, section + 8, code);       // virtual size
  PutLE32(image, section + 12, 0x1000);    // virtual address
  PutLE32(image, section + 16, code);      // size of raw data
  PutLE32(image, section + 20, headers);   // pointer to raw data
  PutLE32(image, section + 36, 0x60000020);  // code, execute, read
  image.replace(headers, code, code, '\xC3');
  return image;
}

}  // namespace testimg
