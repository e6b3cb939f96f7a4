#include "layout/free_form_input.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace layout {
namespace {

// One target of a test read, before and after: an integer or a real.
struct Cell {
  bool is_integer;
  std::int32_t integer;
  float real;
  bool operator==(const Cell& o) const {
    return is_integer == o.is_integer && (is_integer ? integer == o.integer
                                                     : std::bit_cast<std::uint32_t>(real) ==
                                                           std::bit_cast<std::uint32_t>(o.real));
  }
};
Cell I(std::int32_t v) { return {true, v, 0.0f}; }
Cell F(float v) { return {false, 0, v}; }

void PrintTo(const Cell& c, std::ostream* os) {
  if (c.is_integer) {
    *os << "I " << c.integer;
  } else {
    *os << "F " << static_cast<double>(c.real) << " (0x" << std::hex
        << std::bit_cast<std::uint32_t>(c.real) << ")";
  }
}

// Reads `cells` free-form from `text`, then `cells` hold what the read left.
void read_cells(RecordReader& in, std::vector<Cell>& cells) {
  std::vector<Target> targets;
  for (Cell& c : cells)
    targets.push_back(c.is_integer ? Target::of(c.integer) : Target::of(c.real));
  read_free_form(in, targets);
}

std::vector<Cell> read_text(const std::string& text, std::vector<Cell> cells) {
  std::istringstream stream(text);
  RecordReader in(stream, 5, "p");
  read_cells(in, cells);
  return cells;
}

std::optional<FatalKind> error_of(const std::string& text, std::vector<Cell> cells) {
  try {
    read_text(text, std::move(cells));
  } catch (const FatalError& error) {
    return error.kind();
  }
  return std::nullopt;
}

TEST(FreeFormInput, FillsTargets) {
  const struct {
    int line;
    std::string text;
    std::vector<Cell> before;
    std::vector<Cell> after;
  } cases[] = {
      // Line ends, blank lines, tabs and commas with blanks around them all separate.
      {__LINE__,
       "6 0.25 -8 1.5e1 7\n",
       {I(0), F(0), I(0), F(0), I(0)},
       {I(6), F(0.25f), I(-8), F(15), I(7)}},
      {__LINE__,
       "\n  6,\n\n\t0.25 ,  -8\n1.5e1\t,7\n",
       {I(0), F(0), I(0), F(0), I(0)},
       {I(6), F(0.25f), I(-8), F(15), I(7)}},
      {__LINE__, "1\t,\t2\n", {I(0), I(0)}, {I(1), I(2)}},
      // Null values: a comma at the start of the read, two commas with blanks
      // between them, and a comma closing one line followed by one opening the next.
      {__LINE__, ",5\n", {I(-1), I(-2)}, {I(-1), I(5)}},
      {__LINE__, " , 5\n", {I(-1), I(-2)}, {I(-1), I(5)}},
      {__LINE__, "1,\n,2\n", {I(-1), I(-2), I(-3)}, {I(1), I(-2), I(2)}},
      {__LINE__, "1\n,2\n", {I(-1), I(-2)}, {I(1), I(2)}},
      {__LINE__, "1,\n\n2\n", {I(-1), I(-2)}, {I(1), I(2)}},
      {__LINE__, "4*7\n", {I(0), I(0), I(0), I(0)}, {I(7), I(7), I(7), I(7)}},
      {__LINE__, "1 3* 2\n", {I(0), I(-1), I(-2), I(-3), I(0)}, {I(1), I(-1), I(-2), I(-3), I(2)}},
      {__LINE__, "3*,4\n", {I(-1), I(-2), I(-3), I(0)}, {I(-1), I(-2), I(-3), I(4)}},
      // One repeated value goes into targets of either kind.
      {__LINE__, "2*2.5\n", {I(0), F(0)}, {I(2), F(2.5f)}},
      // A slash, also right after a value or a repeat count, ends the read.
      {__LINE__, "1 2 / 3 4\n", {I(0), I(0), I(-3), I(-4)}, {I(1), I(2), I(-3), I(-4)}},
      {__LINE__, "9/8\n", {I(0), I(-2)}, {I(9), I(-2)}},
      {__LINE__, "1 2*/3\n", {I(0), I(-2), I(-3), I(-4)}, {I(1), I(-2), I(-3), I(-4)}},
      {__LINE__, "1\n/\n5\n", {I(0), I(-2)}, {I(1), I(-2)}},
      // A point or an exponent for an integer: rounded to single first, then
      // truncated toward zero.
      {__LINE__, "-0.9 1e1 99.99\n", {I(5), I(0), I(0)}, {I(0), I(10), I(99)}},
      {__LINE__, "16777217 16777217.0\n", {I(0), I(0)}, {I(16777217), I(16777216)}},
      {__LINE__, "-2147483648 2147483647\n", {I(0), I(0)}, {I(-2147483648), I(2147483647)}},
      {__LINE__, "2147483520.0 -2147483648.0\n", {I(0), I(0)}, {I(2147483520), I(-2147483648)}},
      {__LINE__, "0000000000000000000000042\n", {I(0)}, {I(42)}},
      // Reals: the exponent letters, leading zeros and long digit strings.
      {__LINE__,
       "1.5d2 1.5E+2 15D-1 -.5e0\n",
       {F(0), F(0), F(0), F(0)},
       {F(150), F(150), F(1.5f), F(-0.5f)}},
      {__LINE__,
       "0000000000000000000000012.5 0.1000000000000000000000000000001\n",
       {F(0), F(0)},
       {F(12.5f), F(0.1f)}},
      {__LINE__, "-0 0e999999999999\n", {F(5), F(5)}, {F(-0.0f), F(0.0f)}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(read_text(c.text, c.before), c.after);
  }
}

TEST(FreeFormInput, RoundsTheDecimalOnceToNearestSingleTiesToEven) {
  const struct {
    int line;
    std::string text;
    float expected;
  } cases[] = {
      // Halfway between two singles: the even one.
      {__LINE__, "16777217", 16777216.0f},
      {__LINE__, "16777219", 16777220.0f},
      {__LINE__, "1.000000059604644775390625", 1.0f},
      // Just above the halfway point by less than double precision resolves:
      // rounding through double would land on the tie and then go to 1.0.
      {__LINE__, "1.0000000596046447753906251", 1.00000011920928955078125f},
      // The subnormal range, and below half the smallest subnormal.
      {__LINE__, "1.4e-45", 1.40129846e-45f},
      {__LINE__, "7.1e-46", 1.40129846e-45f},
      {__LINE__, "7e-46", 0.0f},
      {__LINE__, "-1e-99999999999", -0.0f},
      {__LINE__, "3.4028235e38", 3.40282347e38f},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(read_text(c.text + "\n", {F(-1)}), std::vector<Cell>{F(c.expected)});
  }
}

TEST(FreeFormInput, RejectsMalformedAndOutOfRangeValues) {
  const struct {
    int line;
    std::string text;
    std::vector<Cell> targets;
    std::optional<FatalKind> error;
  } cases[] = {
      {__LINE__, "12A\n", {I(0)}, FatalKind::kListSyntax},
      {__LINE__, "1.5E\n", {F(0)}, FatalKind::kListSyntax},
      {__LINE__, "E5\n", {F(0)}, FatalKind::kListSyntax},
      {__LINE__, ".\n", {F(0)}, FatalKind::kListSyntax},
      {__LINE__, "+\n", {I(0)}, FatalKind::kListSyntax},
      {__LINE__, "1+2\n", {F(0)}, FatalKind::kListSyntax},
      {__LINE__, "1e5.0\n", {F(0)}, FatalKind::kListSyntax},
      {__LINE__, "0x10\n", {I(0)}, FatalKind::kListSyntax},
      {__LINE__, "inf\n", {F(0)}, FatalKind::kListSyntax},
      {__LINE__, "nan\n", {F(0)}, FatalKind::kListSyntax},
      {__LINE__, "'7'\n", {I(0)}, FatalKind::kListSyntax},
      // Repeat counts: positive, unsigned, and followed by one plain value.
      {__LINE__, "*5\n", {I(0)}, FatalKind::kListSyntax},
      {__LINE__, "0*5\n", {I(0)}, FatalKind::kListSyntax},
      {__LINE__, "-2*5\n", {I(0)}, FatalKind::kListSyntax},
      {__LINE__, "2*3*4\n", {I(0)}, FatalKind::kListSyntax},
      {__LINE__, "2*x\n", {I(0)}, FatalKind::kListSyntax},
      // A malformed value after the last target is never looked at.
      {__LINE__, "1 junk\n", {I(0)}, std::nullopt},
      // Out of range: beyond 32 bits, or beyond the finite single range.
      {__LINE__, "2147483648\n", {I(0)}, FatalKind::kConversion},
      {__LINE__, "-2147483649\n", {I(0)}, FatalKind::kConversion},
      {__LINE__, "99999999999999999999\n", {I(0)}, FatalKind::kConversion},
      {__LINE__, "2147483600.0\n", {I(0)}, FatalKind::kConversion},  // the single is 2^31
      {__LINE__, "2.5e9\n", {I(0)}, FatalKind::kConversion},
      {__LINE__, "3.4028236e38\n", {F(0)}, FatalKind::kConversion},
      {__LINE__, "-1e39\n", {F(0)}, FatalKind::kConversion},
      {__LINE__, "1e99999999999\n", {F(0)}, FatalKind::kConversion},
      // The file ends first, also inside a run of blank lines or nulls.
      {__LINE__, "", {I(0)}, FatalKind::kEndOfFile},
      {__LINE__, "1\n\n  \n", {I(0), I(0)}, FatalKind::kEndOfFile},
      {__LINE__, "2*\n", {I(0), I(0), I(0)}, FatalKind::kEndOfFile},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(error_of(c.text, c.targets), c.error);
  }
}

TEST(FreeFormInput, SkipsTheRestOfTheLastLineTouched) {
  std::istringstream stream("1\n2 3 4\n5\n6 / 7\n8\n");
  RecordReader in(stream, 5, "p");
  std::vector<Cell> first{I(0), I(0)};
  read_cells(in, first);
  EXPECT_EQ(first, (std::vector<Cell>{I(1), I(2)}));
  std::vector<Cell> second{I(0)};
  read_cells(in, second);
  EXPECT_EQ(second, std::vector<Cell>{I(5)});
  std::vector<Cell> third{I(0), I(-1)};
  read_cells(in, third);
  EXPECT_EQ(third, (std::vector<Cell>{I(6), I(-1)}));
  std::vector<Cell> fourth{I(0)};
  read_cells(in, fourth);
  EXPECT_EQ(fourth, std::vector<Cell>{I(8)});
}

TEST(FreeFormInput, CountsTheValuesLeftOverOnTheLastLine) {
  const struct {
    int line;
    std::string text;
    int left_over;
  } cases[] = {
      {__LINE__, "1 2\n", 0},
      {__LINE__, "1 2 \t \n", 0},
      {__LINE__, "1 2,\n", 0},  // the comma closes the last value
      {__LINE__, "1 2 3\n", 1},
      {__LINE__, "1 2,5\n", 1},  // a decimal comma
      {__LINE__, "1 2,5 , 7 x\n", 3},
      {__LINE__, "1\n2 3 4\n", 2},   // only the last line touched counts
      {__LINE__, "1 2 / 3 4\n", 0},  // after a slash the line is a comment
      {__LINE__, "1 / 2\n", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    std::istringstream stream(c.text);
    RecordReader in(stream, 5, "p");
    std::int32_t a = 0, b = 0;
    EXPECT_EQ(read_free_form(in, {Target::of(a), Target::of(b)}), c.left_over);
  }
}

TEST(FreeFormInput, ReadWithoutTargetsSkipsOneLine) {
  std::istringstream stream("1 2\n3\n");
  RecordReader in(stream, 5, "p");
  std::vector<Cell> none;
  read_cells(in, none);
  std::vector<Cell> one{I(0)};
  read_cells(in, one);
  EXPECT_EQ(one, std::vector<Cell>{I(3)});
}

}  // namespace
}  // namespace layout
