#include "layout/layout.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace layout {
namespace {

TEST(ParseLayout, DescribesTheFlatItemList) {
  struct Row {
    int line;
    const char* notation;
    const char* described;
    std::size_t reversion;
  };
  const Row rows[] = {
      {__LINE__, "(6X,F10.3,4X,F10.3)", "[6X][F10.3][4X][F10.3]", 0},
      {__LINE__, "(I5,F8.2,I5,F8.2)", "[I5][F8.2][I5][F8.2]", 0},
      {__LINE__, "(3I4)", "[I4][I4][I4]", 0},
      {__LINE__, "(2A2,F3.1)", "[A2][A2][F3.1]", 0},
      {__LINE__, "('1')", "['1']", 0},
      {__LINE__, "(/)", "[/]", 0},
      {__LINE__, "(10X,2(A4,2X))", "[10X][A4][2X][A4][2X]", 1},
      {__LINE__, "(2(I3),'END',I2)", "[I3][I3]['END'][I2]", 0},
      {__LINE__, "(A1,2(I2),3(I3),I4)", "[A1][I2][I2][I3][I3][I3][I4]", 3},
      {__LINE__, "(I1,2(I2,2(I3)),I4)", "[I1][I2][I3][I3][I2][I3][I3][I4]", 1},
      {__LINE__, "(2(F9.2))", "[F9.2][F9.2]", 0},
      {__LINE__, "(4X,2P,F8.3)", "[4X][2P][F8.3]", 0},
      {__LINE__, "(-1P,F9.3,0P)", "[-1P][F9.3][0P]", 0},
      // A ',' may be left out next to '/'.
      {__LINE__, "(//I3/'A')", "[/][/][I3][/]['A']", 0},
      // Literals hold blanks, commas, parentheses, slashes and apostrophes.
      {__LINE__, "(' A, (B)/C ',I2)", "[' A, (B)/C '][I2]", 0},
      {__LINE__, "('IT'S',I1)", "['IT'S'][I1]", 0},
      {__LINE__, "(3X,I3,'(',2X)", "[3X][I3]['('][2X]", 0},
      {__LINE__, "('):04',F12.5)", "['):04'][F12.5]", 0},
      // A field too narrow for its decimals is legal: it reads, and prints asterisks.
      {__LINE__, "(F5.5)", "[F5.5]", 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "line " << row.line << ": " << row.notation);
    const Layout layout = parse_layout(row.notation);
    EXPECT_EQ(layout.describe(), row.described);
    EXPECT_EQ(layout.reversion, row.reversion);
  }
}

TEST(ParseLayout, KeepsTheApostropheInsideTheBoundaryErrorLiteral) {
  const Layout layout = parse_layout(
      "(/,/,/,/,12X,'THE FOLLOWING LOADED AREAS ARE NOT AT A LAYER 'BOUNDARY;',/,/,10X,10(A4,2X))");
  ASSERT_EQ(layout.items.size(), 29u);
  EXPECT_EQ(layout.items[5].kind, ItemKind::kLiteral);
  EXPECT_EQ(layout.items[5].text, "THE FOLLOWING LOADED AREAS ARE NOT AT A LAYER 'BOUNDARY;");
  EXPECT_EQ(layout.items[5].text.size(), 56u);
  EXPECT_EQ(layout.reversion, 9u);
}

TEST(ParseLayout, KnowsWhetherALayoutTakesValues) {
  EXPECT_FALSE(parse_layout("(10X,'EXECUTION IN PROGRESS',/)").has_data_items());
  EXPECT_FALSE(parse_layout("(2P,5X)").has_data_items());
  EXPECT_TRUE(parse_layout("('A',2('B',I1))").has_data_items());
  EXPECT_TRUE(parse_layout("(A1)").has_data_items());
}

TEST(ParseLayout, RejectsMalformedNotation) {
  struct Row {
    int line;
    const char* notation;
  };
  // clang-format off
  const Row rows[] = {
      {__LINE__, ""},
      {__LINE__, "I3"},
      {__LINE__, "(I3"},
      {__LINE__, "I3)"},
      {__LINE__, "()"},
      {__LINE__, "(I3,)"},
      {__LINE__, "(,I3)"},
      {__LINE__, "(I3,,I4)"},
      {__LINE__, "(I3 ,I4)"},
      {__LINE__, "( I3)"},
      {__LINE__, "(I3I4)"},
      {__LINE__, "(I3)X"},
      {__LINE__, "(I3))"},
      {__LINE__, "(X)"},
      {__LINE__, "(0X)"},
      {__LINE__, "(I)"},
      {__LINE__, "(I0)"},
      {__LINE__, "(A)"},
      {__LINE__, "(F8)"},
      {__LINE__, "(F8.)"},
      {__LINE__, "(F.3)"},
      {__LINE__, "(0I3)"},
      {__LINE__, "(0(I3))"},
      {__LINE__, "(2(I3)"},
      {__LINE__, "(2())"},
      {__LINE__, "(P,F8.3)"},
      {__LINE__, "(2PF8.3)"},
      {__LINE__, "(-1X)"},
      {__LINE__, "(-I3)"},
      {__LINE__, "(2/)"},
      {__LINE__, "(E10.3)"},
      {__LINE__, "(i3)"},
      {__LINE__, "('ABC)"},
      {__LINE__, "('ABC')X"},
      {__LINE__, "('',I3)"},
      {__LINE__, "('A'I3)"},
      {__LINE__, "(100000I3)"},
      {__LINE__, "(9999(9999(I1)))"},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "line " << row.line << ": " << row.notation);
    EXPECT_THROW(parse_layout(row.notation), std::invalid_argument);
  }
}

TEST(ParseLayout, NamesTheColumnAtFault) {
  try {
    parse_layout("(I3,I4 )");
    FAIL() << "accepted a blank";
  } catch (const std::invalid_argument& e) {
    EXPECT_NE(std::string(e.what()).find("column 7"), std::string::npos) << e.what();
  }
}

}  // namespace
}  // namespace layout
