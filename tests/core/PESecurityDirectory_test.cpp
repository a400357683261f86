// The security directory entry of a program file, found in 32- and 64-bit headers and cleared
// when a copy leaves the code signature behind (the web installer's agent copy, the agent copy
// written during extraction).
#include <gtest/gtest.h>

#include <string>

#include "MinimalProgram.h"
#include "pack/ByteSource.h"
#include "pack/PESecurityDirectory.h"
#include "pack/UnPackAgentCopy.h"
#include "stub/WebSetup.h"

namespace {

using testimg::SecurityEntryOffset;

// program with a signature of size bytes after its end, as a signing tool appends it, and the
// package end set before it.
std::string Signed(std::string program, size_t size) {
  const uint32_t end = static_cast<uint32_t>(program.size());
  testimg::PutLE32(program, pack::kPackageEndLowOffset, end);
  testimg::PutLE32(program, SecurityEntryOffset(program[testimg::kPEHeader + 4] == 0x64), end);
  testimg::PutLE32(program, SecurityEntryOffset(program[testimg::kPEHeader + 4] == 0x64) + 4,
                   static_cast<uint32_t>(size));
  return program + std::string(size, 'S');
}

TEST(PESecurityDirectory, FoundIn32And64BitHeadersAndCleared) {
  for (const bool sixtyFour : {false, true}) {
    SCOPED_TRACE(sixtyFour ? "PE32+" : "PE32");
    std::string image = Signed(testimg::MinimalProgram(sixtyFour), 1500);
    pack::SecurityDirectory found;
    ASSERT_TRUE(pack::FindSecurityDirectory(image, found));
    EXPECT_EQ(SecurityEntryOffset(sixtyFour), found.entryOffset);
    EXPECT_EQ(0x600u, found.offset);
    EXPECT_EQ(1500u, found.size);
    const std::string before = image;
    ASSERT_TRUE(pack::ClearSecurityDirectory(image));
    ASSERT_TRUE(pack::FindSecurityDirectory(image, found));
    EXPECT_EQ(0u, found.offset);
    EXPECT_EQ(0u, found.size);
    // Nothing but the eight bytes of the entry changed.
    std::string expected = before;
    expected.replace(SecurityEntryOffset(sixtyFour), 8, 8, '\0');
    EXPECT_EQ(expected, image);
  }
}

TEST(PESecurityDirectory, NoEntryInWhatIsNoProgramFile) {
  const std::string good = testimg::MinimalProgram(false);
  const auto changed = [&](size_t at, char value) {
    std::string image = good;
    image[at] = value;
    return image;
  };
  const struct {
    const char* what;
    std::string image;
  } cases[] = {
      {"empty", ""},
      {"cut inside the DOS header", good.substr(0, 0x3D)},
      {"no MZ", changed(0, 'X')},
      {"e_lfanew past the end", changed(0x3D, 0x7F)},
      {"no PE signature", changed(testimg::kPEHeader + 2, 'x')},
      {"unknown optional header", changed(testimg::kOptionalHeader, 0x0C)},
      {"four data directories only", changed(testimg::kOptionalHeader + 92, 4)},
      {"cut before the entry", good.substr(0, SecurityEntryOffset(false) + 7)},
  };
  for (const auto& c : cases) {
    pack::SecurityDirectory found;
    EXPECT_FALSE(pack::FindSecurityDirectory(c.image, found)) << c.what;
    std::string image = c.image;
    EXPECT_FALSE(pack::ClearSecurityDirectory(image)) << c.what;
    EXPECT_EQ(c.image, image) << c.what;
  }
}

TEST(PESecurityDirectory, TheWebAgentCopyOfASignedStubIsTheUnsignedStub) {
  for (const bool sixtyFour : {false, true}) {
    SCOPED_TRACE(sixtyFour ? "PE32+" : "PE32");
    // Program, package bytes and trailer stand-in: whatever ends the file before the signature.
    const std::string unsigned_ = testimg::MinimalProgram(sixtyFour) + std::string(200, 'P');
    std::string withEnd = unsigned_;
    testimg::PutLE32(withEnd, pack::kPackageEndLowOffset, static_cast<uint32_t>(withEnd.size()));
    // A signature of any size goes, a chain with a timestamp or a dual signature as well.
    for (const size_t size : {3000, 10000, 20000}) {
      SCOPED_TRACE(size);
      const std::string copy = stubsetup::WebAgentCopyImage(Signed(unsigned_, size));
      EXPECT_EQ(stubsetup::WebAgentCopyImage(withEnd), copy);
      pack::SecurityDirectory found;
      ASSERT_TRUE(pack::FindSecurityDirectory(copy, found));
      EXPECT_EQ(0u, found.offset + found.size);
    }
  }
}

TEST(PESecurityDirectory, TheExtractionsAgentCopyCarriesNoSignatureEntry) {
  const std::string program = testimg::MinimalProgram(false);
  const std::string volume = Signed(program + std::string(300, 'H') + std::string(74, 'T'), 900);
  std::string copy;
  ASSERT_TRUE(pack::BuildAgentCopy(pack::MemorySource(volume), program.size() + 300, copy));
  pack::SecurityDirectory found;
  ASSERT_TRUE(pack::FindSecurityDirectory(copy, found));
  EXPECT_EQ(0u, found.offset);
  EXPECT_EQ(0u, found.size);
}

}  // namespace
