#include "report/page.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "support/record_lines.h"

namespace report {
namespace {

using Sink = testing_support::RecordSink;
using testing_support::at;
using testing_support::set_text;

TEST(Page, FormFeedRecordIsTheSingleFormFeedCharacter) {
  Sink sink;
  write_form_feed(sink.writer);
  EXPECT_EQ(sink.stream.str(), "\f\n");
}

TEST(Page, DigitOneRecordIsTheSingleDigit) {
  Sink sink;
  write_digit_one(sink.writer);
  EXPECT_EQ(sink.stream.str(), "1\n");
}

std::vector<std::string> banner_lines(std::string_view title_1, std::string_view title_2) {
  const std::string stars(42, '*');
  return {at({{19, stars}}),
          at({{19, "*"}, {60, "*"}}),
          at({{19, "*"}, {25, "FOUNDATION SETTLEMENT ANALYSIS"}, {60, "*"}}),
          at({{19, "*"}, {60, "*"}}),
          at({{19, stars}}),
          "",
          "",
          at({{7, title_1}}),
          at({{9, title_2}}),
          "",
          ""};
}

// The banner of a plain page: its records after the form feed.
std::vector<std::string> banner_of(const problem::ProblemData& problem) {
  Sink sink;
  start_page(sink.writer, Eject::kPlain, problem);
  std::vector<std::string> lines = sink.lines();
  EXPECT_EQ(lines.at(0), "\f");
  lines.erase(lines.begin());
  return lines;
}

TEST(Page, BannerBoxAndTitleLines) {
  auto problem = std::make_unique<problem::ProblemData>();
  const std::string title_1 =
      "EXAMPLE PROBLEM - FOUR STOREY BUILDING ON SOFT CLAY                X";
  const std::string title_2 =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcdefghijklmnopqrstuvwxyz.,-+=Z";
  ASSERT_EQ(title_1.size(), 68u);
  ASSERT_EQ(title_2.size(), 68u);
  set_text(problem->title[0], title_1);
  set_text(problem->title[1], title_2);
  const std::vector<std::string> lines = banner_of(*problem);
  EXPECT_EQ(lines, banner_lines(title_1, title_2));
  ASSERT_EQ(lines.size(), 11u);
  EXPECT_EQ(lines[0].size(), 60u);
  EXPECT_EQ(lines[2], "                  *     FOUNDATION SETTLEMENT ANALYSIS     *");
  EXPECT_EQ(lines[7].size(), 74u);
  EXPECT_EQ(lines[8].size(), 76u);
}

TEST(Page, BlankTitleStillGivesBothTitleRecords) {
  auto problem = std::make_unique<problem::ProblemData>();
  const std::vector<std::string> lines = banner_of(*problem);
  ASSERT_EQ(lines.size(), 11u);
  EXPECT_EQ(lines[7], std::string(74, ' '));
  EXPECT_EQ(lines[8], std::string(76, ' '));
}

TEST(Page, StartPageIsEjectThenBanner) {
  auto problem = std::make_unique<problem::ProblemData>();
  for (const Eject eject : {Eject::kPlain, Eject::kDoubled}) {
    Sink sink;
    start_page(sink.writer, eject, *problem);
    std::vector<std::string> expected = {"\f"};
    if (eject == Eject::kDoubled) expected.push_back("1");
    for (const std::string& line : banner_lines(std::string(68, ' '), std::string(68, ' '))) {
      expected.push_back(line);
    }
    EXPECT_EQ(sink.lines(), expected);
  }
}

TEST(Page, UnitLabelsOfBothSystems) {
  const struct {
    int line;
    LabelSet set;
    std::string_view us;
    std::string_view si;
  } cases[] = {
      {__LINE__, LabelSet::kPressure, "KSF", "KPA"},
      {__LINE__, LabelSet::kLength, "FT", "M "},
      {__LINE__, LabelSet::kUnitWeightWord1, "UNIT", "MASS"},
      {__LINE__, LabelSet::kUnitWeightWord2, "WEIGHT ", "DENSITY"},
      {__LINE__, LabelSet::kUnitWeightUnit, "LB/FT**3", " KG/M**3"},
      {__LINE__, LabelSet::kSettlementTotal, "TOTAL(In.)", "TOTAL(mm) "},
      {__LINE__, LabelSet::kSettlementUnit, "INCHES     ", "MILLIMETRES"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(unit_label(c.set, 1), c.us);
    EXPECT_EQ(unit_label(c.set, 2), c.si);
    // Every system but 2 computes in U.S. units and is labelled so.
    EXPECT_EQ(unit_label(c.set, 0), c.us);
    EXPECT_EQ(unit_label(c.set, 3), c.us);
  }
}

TEST(Page, ContinuationLabelByPagePosition) {
  EXPECT_EQ(continuation_label(0), "      ");
  EXPECT_EQ(continuation_label(1), "(CONT)");
  EXPECT_EQ(continuation_label(7), "(CONT)");
}

}  // namespace
}  // namespace report
