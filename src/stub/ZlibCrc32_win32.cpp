// zlib's crc32, for stub.exe only. zlib's inflate refers to it for gzip streams alone; the stub
// opens zlib streams (checked with Adler-32), so it is never called there, yet it would link
// zlib's table-driven CRC: 8 KB of the 32-bit program, 13 KB of the 64-bit one. This definition
// keeps that member out. It is a complete CRC-32, only a slower one, should anything call it.
#include <zlib.h>

#include "pack/Crc32.h"

extern "C" uLong crc32(uLong crc, const Bytef* buf, uInt len) {
  if (!buf) return 0;  // zlib's way of asking for the starting value
  return pack::BitwiseCrc32(static_cast<uint32_t>(crc), buf, len);
}
