#include "study/counter_random.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace study {
namespace {

// Values from a separate SplitMix64 written in Python (whose first output from
// state 0 is the published 0xE220A8397B1DCDAF), keyed the same way: the bits
// are plain 64-bit integer arithmetic, the same on every platform.
TEST(CounterRandom, DrawsAreSplitMix64KeyedBySeedParameterAndUse) {
  struct Case {
    int line;
    StreamKey key;
    std::uint64_t counter;
    std::uint64_t bits;
  };
  const Case cases[] = {
      {__LINE__, {0, 0, DrawUse::kPosition}, 0, 0x568a9b0b1a2c05ecull},
      {__LINE__, {0, 0, DrawUse::kPosition}, 1, 0x44e5b8b147ef718bull},
      {__LINE__, {0, 0, DrawUse::kPosition}, 999999, 0x1bb66ceac6339f8dull},
      {__LINE__, {20261209, 3, DrawUse::kShuffle}, 0, 0x67f04a08fbce6303ull},
      {__LINE__, {20261209, 3, DrawUse::kShuffle}, 1, 0xd5a363df48b57d06ull},
      {__LINE__, {20261209, 3, DrawUse::kShuffle}, 999999, 0x8d134de21667eb53ull},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(random_bits(c.key, c.counter), c.bits);
  }
}

TEST(CounterRandom, ProbabilitiesStayInsideTheOpenUnitInterval) {
  // The extremes of 52 bits centred in their cells.
  const StreamKey key{7, 1, DrawUse::kPosition};
  double lowest = 1.0, highest = 0.0, sum = 0.0;
  constexpr int kDraws = 100000;
  for (int i = 0; i < kDraws; ++i) {
    const double u = random_probability(key, static_cast<std::uint64_t>(i));
    lowest = std::min(lowest, u);
    highest = std::max(highest, u);
    sum += u;
  }
  EXPECT_GT(lowest, 0.0);
  EXPECT_LT(highest, 1.0);
  // Mean 1/2 with standard error 1 / sqrt(12 n) = 0.0009.
  EXPECT_NEAR(sum / kDraws, 0.5, 0.004);
}

}  // namespace
}  // namespace study
