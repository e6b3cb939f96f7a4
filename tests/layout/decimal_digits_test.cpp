#include "layout/decimal_digits.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace layout {
namespace {

std::string digits(const DecimalDigits& x) {
  return std::string(x.digits.data(), static_cast<std::size_t>(x.count));
}

TEST(DecimalDigits, ExpandsTheStoredValueExactly) {
  struct Row {
    int line;
    float value;
    const char* digits;
    int point;
  };
  const Row rows[] = {
      {__LINE__, 0.0f, "", 0},
      {__LINE__, 1.0f, "1", 1},
      {__LINE__, -250.0f, "25", 3},
      {__LINE__, 0.1f, "100000001490116119384765625", 0},
      {__LINE__, 0.0005f, "5000000237487256526947021484375", -3},
      {__LINE__, 16777216.0f, "16777216", 8},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "line " << row.line);
    const DecimalDigits x = exact_digits(row.value);
    EXPECT_EQ(digits(x), row.digits);
    EXPECT_EQ(x.point, row.point);
  }
}

TEST(DecimalDigits, SmallestSubnormalHasAllItsDigits) {
  const DecimalDigits x = exact_digits(std::numeric_limits<float>::denorm_min());
  // 2^-149: 105 significant digits, ending in ...203125.
  EXPECT_EQ(x.count, 105);
  EXPECT_EQ(x.point, -44);
  EXPECT_EQ(digits(x).substr(0, 12), "140129846432");
  EXPECT_EQ(digits(x).substr(99), "203125");
}

TEST(DecimalDigits, RoundsHalfAwayFromZeroWithCarry) {
  struct Row {
    int line;
    float value;
    int keep;
    const char* digits;
    int point;
  };
  const Row rows[] = {
      {__LINE__, 0.125f, 2, "13", 0}, {__LINE__, 0.124f, 2, "12", 0}, {__LINE__, 9.996f, 3, "1", 2},
      {__LINE__, 0.6f, 0, "1", 1},    {__LINE__, 0.4f, 0, "", 0},     {__LINE__, 0.6f, -1, "", 0},
      {__LINE__, 1.5f, 5, "15", 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "line " << row.line);
    DecimalDigits x = exact_digits(row.value);
    round_digits(x, row.keep);
    EXPECT_EQ(digits(x), row.digits);
    if (!x.is_zero()) {
      EXPECT_EQ(x.point, row.point);
    }
  }
}

}  // namespace
}  // namespace layout
