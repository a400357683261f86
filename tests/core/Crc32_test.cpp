// The stub's bit-by-bit CRC-32 stands in for zlib's: it must give zlib's results, continued
// CRCs included.
#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

#include "pack/Crc32.h"

namespace {

uint32_t ZlibCrc(uint32_t crc, const std::string& data) {
  return static_cast<uint32_t>(
      crc32(crc, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
}

uint32_t OwnCrc(uint32_t crc, const std::string& data) {
  return pack::BitwiseCrc32(crc, reinterpret_cast<const uint8_t*>(data.data()), data.size());
}

TEST(BitwiseCrc32, GivesZlibsResults) {
  std::string everyByte;
  for (int b = 0; b < 256; ++b) everyByte += static_cast<char>(b);
  const std::string inputs[] = {"", "a", "123456789", std::string(3, '\0'), everyByte,
                                std::string(70000, '\xFF')};
  for (const std::string& data : inputs) {
    SCOPED_TRACE(data.size());
    for (uint32_t start : {0u, 0xCBF43926u, 0xFFFFFFFFu})
      EXPECT_EQ(ZlibCrc(start, data), OwnCrc(start, data));
  }
  EXPECT_EQ(0xCBF43926u, OwnCrc(0, "123456789"));  // the CRC-32 check value
}

TEST(BitwiseCrc32, ContinuesFromTheCrcOfTheBytesBefore) {
  const std::string data = "The stub reads zlib streams only.";
  for (size_t cut = 0; cut <= data.size(); ++cut)
    EXPECT_EQ(OwnCrc(0, data), OwnCrc(OwnCrc(0, data.substr(0, cut)), data.substr(cut))) << cut;
}

}  // namespace
