#include "layout/free_form_output.h"

#include <gtest/gtest.h>

#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "support/rendered_records.h"

namespace layout {
namespace {

using Records = std::vector<std::string>;
using testing_support::render_free_form;

Records render(std::initializer_list<Value> values) {
  return render_free_form(std::span<const Value>(values.begin(), values.size()));
}

TEST(FreeFormOutput, SevenIntegersTakeTwoLines) {
  std::vector<Value> values;
  for (int i = 1; i <= 7; ++i) values.push_back(Value::of(i * 100));
  const Records records = render_free_form(values);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].size(), 72u);
  EXPECT_EQ(records[1], "         700");
}

TEST(FreeFormOutput, FiveRealsFitOnOneLineOfSeventyFive) {
  const Records records = render(
      {Value::of(1.0f), Value::of(-2.0f), Value::of(0.25f), Value::of(1e9f), Value::of(0.0f)});
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0],
            "   1.000000      -2.000000      0.2500000      1.0000000E+09  0.0000000E+00");
}

TEST(FreeFormOutput, RealForms) {
  struct Row {
    int line;
    float value;
    const char* field;
  };
  const Row rows[] = {
      // -0.0 is zero, not a negative value.
      {__LINE__, -0.0f, "  0.0000000E+00"},
      {__LINE__, std::numeric_limits<float>::denorm_min(), "  1.4012985E-45"},
      {__LINE__, -std::numeric_limits<float>::infinity(), "      -Infinity"},
      {__LINE__, std::numeric_limits<float>::quiet_NaN(), "            NaN"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "line " << row.line);
    EXPECT_EQ(render({Value::of(row.value)}), Records{row.field});
  }
}

TEST(FreeFormOutput, TextsAreSetOffFromNumbersOnly) {
  EXPECT_EQ(render({Value::of(std::string_view("A1  ")), Value::of(1),
                    Value::of(std::string_view("X")), Value::of(std::string_view("YZ"))}),
            Records{" A1             1 XYZ"});
}

TEST(FreeFormOutput, TextWrapsWithItsBlank) {
  const std::string seven(7, 'T');
  const std::string eight(8, 'T');
  std::vector<Value> values(6, Value::of(1));
  values.push_back(Value::of(std::string_view(seven)));
  // 72 columns of integers, a blank and seven characters: exactly 80.
  EXPECT_EQ(render_free_form(values).size(), 1u);
  EXPECT_EQ(render_free_form(values)[0].size(), 80u);
  values.back() = Value::of(std::string_view(eight));
  EXPECT_EQ(render_free_form(values).back(), " " + eight);
}

TEST(FreeFormOutput, TextThatBeginsANewLineGetsItsBlank) {
  const std::string long_text(78, 'L');
  const Records records =
      render({Value::of(std::string_view(long_text)), Value::of(std::string_view("AB"))});
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[1], " AB");
}

TEST(FreeFormOutput, EmptyWriteIsOneEmptyLine) { EXPECT_EQ(render({}), Records{""}); }

TEST(FreeFormOutput, WritesWholeRecords) {
  std::ostringstream stream;
  RecordWriter out(stream, "\n", kConsoleUnit, "");
  write_free_form(out, {Value::of(1), Value::of(2), Value::of(3), Value::of(4), Value::of(5),
                        Value::of(6), Value::of(7)});
  EXPECT_EQ(stream.str(),
            "           1           2           3           4           5           6\n"
            "           7\n");
}

}  // namespace
}  // namespace layout
