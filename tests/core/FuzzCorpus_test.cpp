// Replays every kept fuzzer input (seeds and inputs that once crashed) as a regression test.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

int FuzzDescriptor(const uint8_t* data, size_t size);
int FuzzExtract(const uint8_t* data, size_t size);
int FuzzErrorPage(const uint8_t* data, size_t size);
int FuzzInform(const uint8_t* data, size_t size);
int FuzzSignature(const uint8_t* data, size_t size);

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

struct Corpus {
  const char* folder;  // under fuzz/corpus
  int (*target)(const uint8_t*, size_t);
  int seeds;  // inputs the corpus holds at least
};

TEST(FuzzCorpus, EveryKeptInputReplaysCleanly) {
  const Corpus corpora[] = {
      {"fuzz_descriptor", FuzzDescriptor, 1},
      {"fuzz_extract", FuzzExtract, 6},
      {"fuzz_errorpage", FuzzErrorPage, 3},
      {"fuzz_inform", FuzzInform, 3},
      {"fuzz_signature", FuzzSignature, 5},
  };
  for (const Corpus& corpus : corpora) {
    SCOPED_TRACE(corpus.folder);
    const fs::path dir = fs::path(STUB_FUZZ_CORPUS) / corpus.folder;
    ASSERT_TRUE(fs::is_directory(dir)) << dir;
    int replayed = 0;
    for (const auto& entry : fs::directory_iterator(dir)) {
      const std::string data = ReadFile(entry.path());
      EXPECT_EQ(0, corpus.target(reinterpret_cast<const uint8_t*>(data.data()), data.size()))
          << entry.path();
      ++replayed;
    }
    EXPECT_GE(replayed, corpus.seeds) << "the corpus holds at least its seeds";
  }
}

}  // namespace
