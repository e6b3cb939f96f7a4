#include "layout/render.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "support/rendered_records.h"

namespace layout {
namespace {

using Records = std::vector<std::string>;
using testing_support::render_records;

Records render(const char* notation, std::initializer_list<Value> values) {
  return render_records(parse_layout(notation),
                        std::span<const Value>(values.begin(), values.size()));
}

TEST(Render, IntegerFields) {
  struct Row {
    int line;
    std::int32_t value;
    int width;
    const char* field;
  };
  const Row rows[] = {
      {__LINE__, 0, 3, "  0"},
      {__LINE__, -12, 3, "-12"},
      {__LINE__, -123, 3, "***"},
      {__LINE__, 1000, 3, "***"},
      {__LINE__, 7, 1, "7"},
      {__LINE__, -7, 1, "*"},
      {__LINE__, std::numeric_limits<std::int32_t>::min(), 11, "-2147483648"},
      {__LINE__, std::numeric_limits<std::int32_t>::min(), 10, "**********"},
      {__LINE__, std::numeric_limits<std::int32_t>::max(), 12, "  2147483647"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "line " << row.line);
    EXPECT_EQ(format_integer(row.value, row.width), row.field);
  }
}

TEST(Render, FixedPointFields) {
  struct Row {
    int line;
    float value;
    int width;
    int decimals;
    const char* field;
  };
  const Row rows[] = {
      {__LINE__, 3.14159f, 8, 3, "   3.142"},
      // 1.005 is stored as 1.00499999523: rounding looks at the stored value.
      {__LINE__, 1.005f, 10, 2, "      1.00"},
      {__LINE__, 12345.6f, 7, 2, "*******"},
      // Exact binary ties go away from zero, not to even.
      {__LINE__, -0.125f, 5, 2, "-0.13"},
      {__LINE__, 0.125f, 4, 2, "0.13"},
      {__LINE__, 2.5f, 3, 0, " 3."},
      {__LINE__, -2.5f, 3, 0, "-3."},
      {__LINE__, 0.375f, 5, 2, " 0.38"},
      // No sign on a value that rounds to zero.
      {__LINE__, 0.0f, 10, 3, "     0.000"},
      {__LINE__, -0.0f, 10, 3, "     0.000"},
      {__LINE__, -0.004f, 6, 2, "  0.00"},
      {__LINE__, -0.1f, 1, 0, "."},
      // 0.0005 is stored just above the tie, 0.00049 below it.
      {__LINE__, 0.0005f, 8, 3, "   0.001"},
      {__LINE__, 0.00049f, 8, 3, "   0.000"},
      // The leading zero goes only where there is room for it and the sign.
      {__LINE__, 0.5f, 4, 2, "0.50"},
      {__LINE__, -0.5f, 4, 2, "-.50"},
      {__LINE__, 0.5f, 3, 2, ".50"},
      {__LINE__, -0.5f, 3, 2, "***"},
      {__LINE__, 0.5f, 5, 5, "*****"},
      // A carry that adds a digit can overflow the field.
      {__LINE__, 9.996f, 4, 2, "****"},
      {__LINE__, 9.996f, 5, 2, "10.00"},
      // The largest float, digit for digit.
      {__LINE__, std::numeric_limits<float>::max(), 41, 1,
       "340282346638528859811704183484516925440.0"},
      // The smallest subnormal, 2^-149 = 1.4012984643...e-45.
      {__LINE__, std::numeric_limits<float>::denorm_min(), 49, 47,
       "0.00000000000000000000000000000000000000000000140"},
      {__LINE__, std::numeric_limits<float>::infinity(), 9, 2, " Infinity"},
      {__LINE__, -std::numeric_limits<float>::infinity(), 9, 2, "-Infinity"},
      {__LINE__, -std::numeric_limits<float>::infinity(), 8, 2, "********"},
      {__LINE__, std::numeric_limits<float>::quiet_NaN(), 5, 1, "  NaN"},
      {__LINE__, std::numeric_limits<float>::quiet_NaN(), 2, 1, "**"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "line " << row.line);
    EXPECT_EQ(format_fixed(row.value, row.width, row.decimals), row.field);
  }
}

TEST(Render, TextFields) {
  EXPECT_EQ(render("(A6)", {Value::of("ABCD")}), Records{"  ABCD"});
  EXPECT_EQ(render("(A2)", {Value::of("TOTAL(mm)")}), Records{"TO"});
  EXPECT_EQ(render("(A4)", {Value::of("AB  ")}), Records{"AB  "});
  EXPECT_EQ(render("(A3)", {Value::of("")}), Records{"   "});
}

TEST(Render, ScaleFactorMultipliesFollowingFixedItems) {
  EXPECT_EQ(render("(2P,F8.3)", {Value::of(0.012345f)}), Records{"   1.235"});
  // The scale factor does not touch I items nor the F items before it.
  EXPECT_EQ(render("(F6.2,I3,1P,I3,F6.2)",
                   {Value::of(1.5f), Value::of(1), Value::of(2), Value::of(1.5f)}),
            Records{"  1.50  1  2 15.00"});
}

TEST(Render, ScaleFactorStartsAtZeroOnEachWrite) {
  const Layout layout = parse_layout("(F6.2,2P,F6.2)");
  const Value first[] = {Value::of(1.0f), Value::of(1.0f)};
  const Value second[] = {Value::of(1.0f)};
  EXPECT_EQ(render_records(layout, first), Records{"  1.00100.00"});
  EXPECT_EQ(render_records(layout, second), Records{"  1.00"});
}

TEST(Render, WholeLayouts) {
  struct Row {
    int line;
    const char* notation;
    std::vector<Value> values;
    Records records;
  };
  const Row rows[] = {
      {__LINE__, "('1')", {}, {"1"}},
      // A write with no values still goes up to the first data item.
      {__LINE__, "(10X,'EXECUTION IN PROGRESS',/)", {}, {"          EXECUTION IN PROGRESS", ""}},
      {__LINE__, "('A',I2,'B',I2,'C')", {Value::of(1)}, {"A 1B"}},
      {__LINE__, "(/,I3)", {}, {"", ""}},
      {__LINE__, "(I2,/)", {Value::of(5)}, {" 5", ""}},
      {__LINE__, "(/,/,'X')", {}, {"", "", "X"}},
      // X between fields gives blanks, X at the end of a record nothing.
      {__LINE__, "(I1,3X,I1,4X)", {Value::of(1), Value::of(2)}, {"1   2"}},
      {__LINE__, "(5X,/,2X,'A',3X)", {}, {"", "  A"}},
      // Values left over: new record from the last outermost group.
      {__LINE__,
       "('H',I2,2(' ',I1))",
       {Value::of(1), Value::of(2), Value::of(3), Value::of(4), Value::of(5)},
       {"H 1 2 3", " 4 5"}},
      // ... or from the start when there is no group.
      {__LINE__, "('H',I2)", {Value::of(1), Value::of(2)}, {"H 1", "H 2"}},
      // A layout ending in '/' leaves an empty record before the reuse.
      {__LINE__, "(I1,/)", {Value::of(1), Value::of(2)}, {"1", "", "2", ""}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "line " << row.line << ": " << row.notation);
    EXPECT_EQ(render_records(parse_layout(row.notation), row.values), row.records);
  }
}

TEST(Render, ReusedGroupStartsTheContinuationLines) {
  static const char* const kIds[] = {"A1", "A2", "A3", "A4", "A5", "A6", "A7",
                                     "A8", "A9", "B1", "B2", "B3", "B4"};
  std::vector<Value> values;
  for (const char* id : kIds) values.push_back(Value::of(std::string_view(id)));
  const Records records = render_records(parse_layout("(/,12X,'SHAPE',/,10X,10(A4,2X))"), values);
  const Records expected = {
      "",
      "            SHAPE",
      "            A1    A2    A3    A4    A5    A6    A7    A8    A9    B1",
      "  B2    B3    B4",
  };
  EXPECT_EQ(records, expected);
}

TEST(Render, WriteRecordEndsEveryRecordWithTheUnitsLineEnd) {
  std::ostringstream stream;
  RecordWriter out(stream, "\r\n", 6, "report.txt");
  static const Layout kLayout = parse_layout("(I3,/,'X')");
  write_record(out, kLayout, {Value::of(42)});
  EXPECT_EQ(stream.str(), " 42\r\nX\r\n");
}

}  // namespace
}  // namespace layout
