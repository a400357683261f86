#include "net/BytesRate.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

using inethttp::TBytesRate;

namespace {

struct Chunk {
  uint32_t bytes;
  uint32_t nowMs;
};

// Feeds the chunks to RateText and returns the text after each one.
std::vector<std::string> RatesOf(TBytesRate& meter, const std::vector<Chunk>& chunks) {
  std::vector<std::string> rates;
  for (const Chunk& c : chunks) rates.push_back(meter.RateText(c.bytes, c.nowMs));
  return rates;
}

TEST(BytesRate, FormatUnitsWritesOneDecimalWithThousandsCommas) {
  struct Case {
    uint64_t value, divisor;
    const char* expected;
  } cases[] = {
      {0, 1024, "0.0"},
      {0, 1048576, "0.0"},
      {51, 1024, "0.0"},
      {512, 1024, "0.5"},
      {200000, 1024, "195.3"},           // three digits: no comma in front
      {1023948, 1024, "999.9"},
      {1023950, 1024, "1,000.0"},        // rounding carries into a new group
      {2097152, 1024, "2,048.0"},
      {20971520, 1048576, "20.0"},
      {4294967295u, 1048576, "4,096.0"},  // a server that announces no length
      {uint64_t{123456} * 1024, 1024, "123,456.0"},
      {uint64_t{1234567} * 1024, 1024, "1,234,567.0"},
      {7, 0, "7.0"},                     // a divisor of 0 counts as 1
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.value) + " / " + std::to_string(c.divisor));
    EXPECT_EQ(c.expected, TBytesRate::FormatUnits(c.value, c.divisor));
  }
}

TEST(BytesRate, ProgressTextShowsCountsInTheMeterUnits) {
  struct Case {
    bool kb, mb;
    uint64_t total, done;
    const char* expected;
  } cases[] = {
      {false, false, 5000, 0, "0/5000 BytesArr"},
      {false, false, 5000, 2500, "2500/5000 BytesArr"},
      {false, false, 102400, 102400, "102400/102400 BytesArr"},
      {false, false, 5000, 3000000000u, "3000000000/5000 BytesArr"},  // never a negative count
      {true, false, 200000, 0, "0.0/195.3 KB"},
      {true, false, 200000, 102400, "100.0/195.3 KB"},
      {true, false, 4194304, 2097152, "2,048.0/4,096.0 KB"},
      {true, true, 20971520, 0, "0.0/20.0 MB"},
      {true, true, 20971520, 11010048, "10.5/20.0 MB"},
      {false, true, 20971520, 20971520, "20.0/20.0 MB"},  // MB mode wins without KB mode too
      {true, true, 4294967295u, 8192, "0.0/4,096.0 MB"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    TBytesRate meter(c.kb, c.mb);
    // A single chunk: no rate yet, so the text is the counts alone.
    EXPECT_EQ(c.expected, meter.ProgressText(c.total, c.done, 8192, 1000));
  }
}

TEST(BytesRate, ProgressTextAddsTheRateFromTheFifthChunkOn) {
  // A download of 5000 bytes in chunks of 500, one every 100 ms.
  TBytesRate meter(false, false);
  std::vector<std::string> texts;
  for (uint32_t i = 1; i <= 10; ++i) texts.push_back(meter.ProgressText(5000, i * 500, 500, i * 100));
  // 4 chunks of 500 bytes over 400 ms: 2000 * 1000 / 400 / 1024 = 4.88 KB/Sec, and the steady
  // flow keeps it there.
  const std::vector<std::string> expected = {
      "500/5000 BytesArr",
      "1000/5000 BytesArr",
      "1500/5000 BytesArr",
      "2000/5000 BytesArr",
      "2500/5000 BytesArr   -   4.88 KB/Sec",
      "3000/5000 BytesArr   -   4.88 KB/Sec",
      "3500/5000 BytesArr   -   4.88 KB/Sec",
      "4000/5000 BytesArr   -   4.88 KB/Sec",
      "4500/5000 BytesArr   -   4.88 KB/Sec",
      "5000/5000 BytesArr   -   4.88 KB/Sec",
  };
  EXPECT_EQ(expected, texts);

  TBytesRate kbMeter(true, false);
  for (uint32_t i = 1; i <= 4; ++i) kbMeter.ProgressText(200000, i * 8192, 8192, i * 250);
  EXPECT_EQ("40.0/195.3 KB   -   32.00 KB/Sec", kbMeter.ProgressText(200000, 40960, 8192, 1250));
}

TEST(BytesRate, RateAveragesTheFourNewestChunksOverTheirSpan) {
  struct Case {
    const char* what;
    std::vector<Chunk> chunks;
    const char* expected;  // after the last chunk
  } cases[] = {
      {"128 KB in one second", {{8192, 0}, {32768, 250}, {32768, 500}, {32768, 750}, {32768, 1000}},
       "128.00"},  // the oldest chunk arrived before the span and does not count
      {"uneven chunks", {{1, 1000}, {1000, 1100}, {2000, 1300}, {3000, 1600}, {4000, 2000}},
       "9.77"},    // 10000 bytes over 1000 ms
      {"a trickle", {{1, 7000}, {1, 8000}, {1, 9000}, {1, 10000}, {1, 11000}}, "0.00"},
      {"fewer than five chunks", {{8192, 100}, {8192, 200}, {8192, 300}, {8192, 400}}, ""},
      {"no time passed", {{8192, 50}, {8192, 50}, {8192, 50}, {8192, 50}, {8192, 50}}, ""},
      {"the clock starts at 0", {{1024, 0}, {1024, 0}, {1024, 0}, {1024, 0}, {1024, 1000}}, "4.00"},
      {"the millisecond counter wraps",
       {{1024, 4294966796u}, {1024, 4294967046u}, {1024, 0}, {1024, 250}, {1024, 500}}, "4.00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TBytesRate meter(false, false);
    EXPECT_EQ(c.expected, RatesOf(meter, c.chunks).back());
  }
}

TEST(BytesRate, RateIsRecomputedOnlyWhenMoreThan500MsHavePassed) {
  TBytesRate meter(false, false);
  const std::vector<std::string> rates = RatesOf(meter, {
      {1024, 0}, {1024, 250}, {1024, 500}, {1024, 750}, {1024, 1000},  // 4.00 computed at 1000
      {4096, 1500},                                                   // exactly 500 ms: kept
      {4096, 1501},                                                   // 501 ms: 10240 / 1001 ms
      {4096, 1700},                                                   // 199 ms: kept
  });
  EXPECT_EQ((std::vector<std::string>{"", "", "", "", "4.00", "4.00", "9.99", "9.99"}), rates);
}

TEST(BytesRate, ResetForgetsSamplesAndRate) {
  TBytesRate meter(false, false);
  ASSERT_EQ("4.00",
            RatesOf(meter, {{1024, 0}, {1024, 250}, {1024, 500}, {1024, 750}, {1024, 1000}}).back());
  meter.Reset();
  EXPECT_EQ((std::vector<std::string>{"", "", "", "", "2.00"}),
            RatesOf(meter, {{512, 3000}, {512, 3250}, {512, 3500}, {512, 3750}, {512, 4000}}));
}

}  // namespace
