#include "pack/PackFormat.h"

#include <gtest/gtest.h>

#include <string>

#include "PackageImage.h"

namespace {

uint32_t Checksum(const std::string& image, uint32_t trailerSize = 74) {
  return pack::ComputeVolumeChecksum(reinterpret_cast<const uint8_t*>(image.data()), image.size(),
                                     trailerSize);
}

TEST(VolumeChecksum, OnlyWordsWellBeforeTheTrailerCount) {
  // 86 bytes, trailer 74: 12 bytes remain; a word counts while more than 4 remain after it.
  std::string image(86, '\0');
  testimg::PutWord(image, 0, 0x01020304);
  testimg::PutWord(image, 4, 0x10000000);
  testimg::PutWord(image, 8, 0x20000000);
  EXPECT_EQ(0x01020304u, Checksum(image));
}

TEST(VolumeChecksum, EachFullChunkAdds1234WhileDataRemains) {
  // Two full chunks of zeros, then a short one: 1234 after each full chunk.
  std::string image(4096 * 2 + 100, '\0');
  EXPECT_EQ(2u * 1234u, Checksum(image));
  // Exactly one chunk: the read after it is empty, and nothing remains by then.
  EXPECT_EQ(0u, Checksum(std::string(4096, '\0')));
}

TEST(VolumeChecksum, WordsWrapAround) {
  std::string image(8 + 8 + 74, '\0');
  testimg::PutWord(image, 0, 0xFFFFFFFF);
  testimg::PutWord(image, 4, 2);
  EXPECT_EQ(1u, Checksum(image));
}

TEST(VolumeChecksum, SignedProgramCountsFrom512UpToItsLowPackageEndWord) {
  std::string image = testimg::FakeProgram(true, 2048);
  testimg::PutWord(image, 512, 7);
  testimg::PutWord(image, 516, 9);
  testimg::PutWord(image, 600, 1000);  // beyond what the package-end word allows
  testimg::PutWord(image, pack::kPackageEndLowOffset, 512 + 8 + 5 + 74);
  EXPECT_EQ(16u, Checksum(image));
}

TEST(VolumeChecksum, PassRules) {
  const struct {
    uint32_t computed, stored;
    bool passes;
  } cases[] = {{5, 5, true}, {5, 6, false}, {1234, 6, true}, {5, 1234, true}, {0, 0, true}};
  for (const auto& c : cases)
    EXPECT_EQ(c.passes, pack::VolumeChecksumPasses(c.computed, c.stored)) << c.computed << "/" << c.stored;
}

TEST(PackFormat, TrailerWordsAreLittleEndian) {
  pack::TPackTrailer t;
  t.SetWord(pack::at::Magic, pack::kMagic);
  EXPECT_EQ(0x1D, t.bytes[12]);
  EXPECT_EQ(0x4A, t.bytes[15]);
  t.SetWord(pack::at::SizeOnDisk + 4 * 7, 99);
  EXPECT_EQ(99u, t.SizeOnDisk(8));
  EXPECT_EQ(65536u, pack::SizeClass(8));
}

}  // namespace
