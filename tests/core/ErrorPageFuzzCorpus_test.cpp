// Replays every kept input of the error-page fuzzer (seeds and inputs that once crashed).
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

int FuzzErrorPage(const uint8_t* data, size_t size);

namespace {

namespace fs = std::filesystem;

TEST(ErrorPageFuzzCorpus, InputsReplayCleanly) {
  const fs::path dir = fs::path(STUB_FUZZ_CORPUS) / "fuzz_errorpage";
  ASSERT_TRUE(fs::is_directory(dir)) << dir;
  int replayed = 0;
  for (const auto& entry : fs::directory_iterator(dir)) {
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(0, FuzzErrorPage(reinterpret_cast<const uint8_t*>(data.data()), data.size()))
        << entry.path();
    ++replayed;
  }
  EXPECT_GE(replayed, 3) << "the corpus holds at least the seed pages";
}

}  // namespace
