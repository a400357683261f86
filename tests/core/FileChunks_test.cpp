#include "sys/FileChunks.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <numeric>

using namespace sys;

namespace {

constexpr size_t kMiB = 1048576;

TEST(FileChunks, OneWriteUpToOneMiBThenATenthCappedAtOneMiB) {
  struct Case {
    size_t length, chunk;
  } cases[] = {
      {0, 0},
      {1, 1},
      {kMiB, kMiB},                     // the limit itself still goes in one write
      {kMiB + 1, 104857},               // a tenth, rounded down
      {5 * kMiB, 524288},
      {10 * kMiB + 9, kMiB},            // the tenth is exactly 1 MiB
      {50 * kMiB, kMiB},                // a tenth would be 5 MiB
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    EXPECT_EQ(c.chunk, SaveChunkSize(c.length));
  }
}

TEST(FileChunks, WritesFullChunksAndTheRemainderLast) {
  struct Case {
    size_t length, chunk, count, last;
  } cases[] = {
      {1, 1, 1, 1},
      {kMiB, kMiB, 1, kMiB},
      {kMiB + 1, 104857, 11, 7},  // 10 tenths leave 7 bytes for an eleventh write
      {5 * kMiB, 524288, 10, 524288},
      {50 * kMiB, kMiB, 50, kMiB},
      {20 * kMiB + 3, kMiB, 21, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    const std::vector<size_t> lengths = SaveChunkLengths(c.length);
    ASSERT_EQ(c.count, lengths.size());
    for (size_t i = 0; i + 1 < lengths.size(); ++i) EXPECT_EQ(c.chunk, lengths[i]) << i;
    EXPECT_EQ(c.last, lengths.back());
    EXPECT_EQ(c.length, std::accumulate(lengths.begin(), lengths.end(), size_t{0}));
  }
}

TEST(FileChunks, NothingToWriteForNoBytes) { EXPECT_TRUE(SaveChunkLengths(0).empty()); }

}  // namespace
