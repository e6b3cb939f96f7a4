#include "layout/fixed_input.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace layout {
namespace {

// One target of a test read: an integer, a real or a text of the given length.
struct Cell {
  char kind;  // 'I', 'F' or 'A'
  std::int32_t integer = 0;
  float real = 0.0f;
  std::string text;
  bool operator==(const Cell& o) const {
    return kind == o.kind && integer == o.integer &&
           std::bit_cast<std::uint32_t>(real) == std::bit_cast<std::uint32_t>(o.real) &&
           text == o.text;
  }
};
Cell I(std::int32_t v) { return {'I', v, 0.0f, {}}; }
Cell F(float v) { return {'F', 0, v, {}}; }
Cell A(std::string v) { return {'A', 0, 0.0f, std::move(v)}; }

void PrintTo(const Cell& c, std::ostream* os) {
  if (c.kind == 'I') *os << "I " << c.integer;
  if (c.kind == 'F') *os << "F " << static_cast<double>(c.real);
  if (c.kind == 'A') *os << "A |" << c.text << "|";
}

void read_cells(RecordReader& in, std::string_view notation, std::vector<Cell>& cells) {
  std::vector<Target> targets;
  for (Cell& c : cells) {
    if (c.kind == 'I') targets.push_back(Target::of(c.integer));
    if (c.kind == 'F') targets.push_back(Target::of(c.real));
    if (c.kind == 'A') targets.push_back(Target::of(std::span<char>(c.text)));
  }
  read_fixed(in, parse_layout(notation), targets);
}

std::vector<Cell> read_text(const std::string& text, std::string_view notation,
                            std::vector<Cell> cells) {
  std::istringstream stream(text);
  RecordReader in(stream, 5, "p");
  read_cells(in, notation, cells);
  return cells;
}

std::optional<FatalKind> error_of(const std::string& text, std::string_view notation,
                                  std::vector<Cell> cells) {
  try {
    read_text(text, notation, std::move(cells));
  } catch (const FatalError& error) {
    return error.kind();
  }
  return std::nullopt;
}

TEST(FixedInput, ReadsFields) {
  const struct {
    int line;
    std::string text;
    std::string_view layout;
    std::vector<Cell> before;
    std::vector<Cell> after;
  } cases[] = {
      {__LINE__, " 4 2 \n", "(I5)", {I(-1)}, {I(42)}},
      {__LINE__, "     \n", "(I5)", {I(-1)}, {I(0)}},
      {__LINE__, "-2147483648\n", "(I11)", {I(0)}, {I(-2147483648)}},
      // Without a point the last d digits are decimals, also before an
      // exponent; a point overrides d; blanks inside the exponent are ignored.
      {__LINE__, "     375\n", "(F8.2)", {F(0)}, {F(3.75f)}},
      {__LINE__, "    15E2\n", "(F8.2)", {F(0)}, {F(15.0f)}},
      {__LINE__, "    3.75\n", "(F8.0)", {F(0)}, {F(3.75f)}},
      {__LINE__, " 1.5 e 2\n", "(F8.2)", {F(0)}, {F(150.0f)}},
      {__LINE__, "  -1.5d-1\n", "(F9.0)", {F(0)}, {F(-0.15f)}},
      {__LINE__, "   -0.0\n", "(F7.2)", {F(5)}, {F(-0.0f)}},
      // The decimal is rounded once, ties to even, wherever the point stood.
      {__LINE__, "  16777217\n", "(F10.0)", {F(0)}, {F(16777216.0f)}},
      {__LINE__, "1677721900\n", "(F10.2)", {F(0)}, {F(16777220.0f)}},
      {__LINE__,
       "1.0000000596046447753906251\n",
       "(F27.0)",
       {F(0)},
       {F(1.00000011920928955078125f)}},
      {__LINE__, "   7e-46\n", "(F8.0)", {F(5)}, {F(0.0f)}},
      // A scale factor divides a field without point or exponent by 10^k.
      {__LINE__,
       "  1500   1.5  15E1\n",
       "(2P,F6.2,F6.2,F6.2)",
       {F(0), F(0), F(0)},
       {F(0.15f), F(1.5f), F(1.5f)}},
      // Literals are passed over by their length; X moves on from after a comma.
      {__LINE__, "XY 12\n", "('AB',I3)", {I(0)}, {I(12)}},
      {__LINE__, "1,ab12\n", "(I3,2X,I2)", {I(0), I(0)}, {I(1), I(12)}},
      {__LINE__, "1,,\n", "(I3,I3,I3)", {I(-1), I(-1), I(-1)}, {I(1), I(0), I(0)}},
      // A comma is text in an A field, and ends no field there.
      {__LINE__, "a,b12\n", "(A3,I2)", {A("???"), I(0)}, {A("a,b"), I(12)}},
      // Tabs count as one column of text.
      {__LINE__, "\tAB\n", "(A3)", {A("???")}, {A("\tAB")}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(read_text(c.text, c.layout, c.before), c.after);
  }
}

TEST(FixedInput, RejectsCharactersANumericFieldMayNotHold) {
  const struct {
    int line;
    std::string text;
    std::string_view layout;
    std::vector<Cell> targets;
    std::optional<FatalKind> error;
  } cases[] = {
      {__LINE__, "  -  \n", "(I5)", {I(0)}, FatalKind::kConversion},
      {__LINE__, " +-1 \n", "(I5)", {I(0)}, FatalKind::kConversion},
      {__LINE__, "2147483648\n", "(I10)", {I(0)}, FatalKind::kConversion},
      {__LINE__, "-2147483649\n", "(I11)", {I(0)}, FatalKind::kConversion},
      {__LINE__, "      .\n", "(F7.2)", {F(0)}, FatalKind::kConversion},
      {__LINE__, "     + \n", "(F7.2)", {F(0)}, FatalKind::kConversion},
      {__LINE__, "   E5\n", "(F5.0)", {F(0)}, FatalKind::kConversion},
      {__LINE__, "  1.5E\n", "(F6.0)", {F(0)}, FatalKind::kConversion},
      {__LINE__, " 1.5E+\n", "(F6.0)", {F(0)}, FatalKind::kConversion},
      {__LINE__, "1.5E+-2\n", "(F7.0)", {F(0)}, FatalKind::kConversion},
      {__LINE__, "1.5E2.0\n", "(F7.0)", {F(0)}, FatalKind::kConversion},
      {__LINE__, " 1.5+2\n", "(F6.0)", {F(0)}, FatalKind::kConversion},
      {__LINE__, " 1.\t5\n", "(F5.1)", {F(0)}, FatalKind::kConversion},
      {__LINE__, " 1E39\n", "(F5.0)", {F(0)}, FatalKind::kConversion},
      {__LINE__,
       "999999999999999999999999999999999999999\n",
       "(F39.0)",
       {F(0)},
       FatalKind::kConversion},
      // A field after the last target is never looked at.
      {__LINE__, "  1XX\n", "(I3,I2)", {I(0)}, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(error_of(c.text, c.layout, c.targets), c.error);
  }
}

TEST(FixedInput, ReusesTheLastOuterGroupWithItsScaleFactor) {
  // The reversion point is the group; the scale factor set before it stays.
  EXPECT_EQ(read_text("   5 301.0\n200 50\n", "(1P,I4,2(F3.0))", {I(0), F(0), F(0), F(0), F(0)}),
            (std::vector<Cell>{I(5), F(3.0f), F(1.0f), F(20.0f), F(5.0f)}));
}

TEST(FixedInput, ReadWithoutTargetsStillTakesItsLine) {
  std::istringstream stream("1\n2\n3\n4\n");
  RecordReader in(stream, 5, "p");
  std::vector<Cell> none;
  read_cells(in, "(I5)", none);
  read_cells(in, "(/,I5)", none);  // a leading '/' comes before the first field
  std::vector<Cell> one{I(0)};
  read_cells(in, "(I5)", one);
  EXPECT_EQ(one, std::vector<Cell>{I(4)});
}

TEST(FixedInput, ErrorsNameTheUnitAndFile) {
  std::istringstream stream("  1\n");
  RecordReader in(stream, 5, "/data/problem.dat");
  std::vector<Cell> two{I(0), I(0)};
  try {
    read_cells(in, "(I3,/,I3)", two);
    FAIL() << "no error raised";
  } catch (const FatalError& error) {
    EXPECT_EQ(error.kind(), FatalKind::kEndOfFile);
    EXPECT_EQ(error.unit(), 5);
    EXPECT_EQ(error.path(), "/data/problem.dat");
  }
  EXPECT_EQ(two[0], I(1));
}

}  // namespace
}  // namespace layout
