// CRC-32 as zlib and gzip compute it (polynomial 0xEDB88320, reflected, inverted before and
// after), bit by bit: no table, so a few dozen bytes of code instead of zlib's kilobytes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace pack {

// The CRC of data continued from crc, the CRC of the bytes before it (0 to start).
uint32_t BitwiseCrc32(uint32_t crc, const uint8_t* data, size_t n);

}  // namespace pack
