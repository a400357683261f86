// Replays every kept fuzzer input (seeds and inputs that once crashed) as a regression test.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

int FuzzDescriptor(const uint8_t* data, size_t size);

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(FuzzCorpus, DescriptorInputsReplayCleanly) {
  const fs::path dir = fs::path(STUB_FUZZ_CORPUS) / "fuzz_descriptor";
  ASSERT_TRUE(fs::is_directory(dir)) << dir;
  int replayed = 0;
  for (const auto& entry : fs::directory_iterator(dir)) {
    const std::string data = ReadFile(entry.path());
    EXPECT_EQ(0, FuzzDescriptor(reinterpret_cast<const uint8_t*>(data.data()), data.size()))
        << entry.path();
    ++replayed;
  }
  EXPECT_GT(replayed, 0) << "the corpus holds at least the seed packages";
}

}  // namespace
