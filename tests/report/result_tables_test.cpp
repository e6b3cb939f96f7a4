#include "report/result_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "support/record_lines.h"

namespace report {
namespace {

using Sink = testing_support::RecordSink;
using testing_support::at;

std::vector<std::string> slice(const std::vector<std::string>& lines, std::size_t first,
                               std::size_t count) {
  if (first + count > lines.size()) return {};
  return {lines.begin() + static_cast<std::ptrdiff_t>(first),
          lines.begin() + static_cast<std::ptrdiff_t>(first + count)};
}

constexpr std::size_t kBanner = 11;
const std::string kBlankTitle1(74, ' ');

// Points numbered 11, 22, ... at (position, 0.5), sublayers 0.5 thick.
std::unique_ptr<problem::ProblemData> grid(int unit_system, int points) {
  auto problem = std::make_unique<problem::ProblemData>();
  problem::set_unit_system(*problem, unit_system);
  problem->point_count = points;
  for (int j = 1; j <= points; ++j) {
    auto& point = problem->points[j];
    point.point_number = 11 * j;
    point.x = static_cast<float>(j) + 0.5f;
    point.y = 0.5f;
  }
  return problem;
}

// The profile of `sublayers` sublayers 0.5 thick: only their depths.
analysis::ClassicProfile profile_of(int sublayers) {
  analysis::ClassicProfile profile;
  profile.sublayers.resize(sublayers);
  profile.stress_depths.resize(2 * sublayers + 1);
  for (int m = 1; m <= sublayers; ++m) {
    profile.stress_depths[2 * m - 1] = 0.5f * static_cast<float>(m - 1);
    profile.stress_depths[2 * m] = 0.5f * static_cast<float>(m) - 0.25f;
  }
  return profile;
}

// Results of zeros, a row a point of `problem`, a value a sublayer of `profile`.
std::unique_ptr<analysis::AnalysisResults> results_of(const problem::ProblemData& problem,
                                                      const analysis::ClassicProfile& profile) {
  auto results = std::make_unique<analysis::AnalysisResults>();
  const int points = problem.point_count;
  results->average_stress_increase.resize(points, analysis::SublayerRow(profile.sublayer_count()));
  results->sublayer_settlement.resize(points, analysis::SublayerRow(profile.sublayer_count()));
  results->total_settlement.resize(points);
  return results;
}

std::vector<std::string> blank_title_banner() {
  const std::string stars(42, '*');
  const std::string box = at({{19, "*"}, {60, "*"}});
  return {at({{19, stars}}),
          box,
          at({{19, "*     FOUNDATION SETTLEMENT ANALYSIS     *"}}),
          box,
          at({{19, stars}}),
          "",
          "",
          kBlankTitle1,
          std::string(76, ' '),
          "",
          ""};
}

std::vector<std::string> table_6_page(std::string_view label, std::string_view numbers,
                                      std::vector<std::string> rows) {
  std::vector<std::string> lines = {"\f", "1"};
  const std::vector<std::string> banner = blank_title_banner();
  lines.insert(lines.end(), banner.begin(), banner.end());
  lines.insert(lines.end(), {at({{7, "TABLE 6 = AVERAGE STRESS INCREASE "}, {41, label}}), "", "",
                             at({{7, "SETTLEMENT"}}), std::string(numbers), "",
                             at({{9, "DEPTH, "}, {16, "FT"}, {38, "STRESS, "}, {46, "KSF"}})});
  for (std::string& row : rows) {
    lines.push_back("");
    lines.push_back(std::move(row));
  }
  return lines;
}

TEST(Table6, EightPointsTwentySublayersFourPages) {
  auto problem = grid(1, 8);
  const analysis::ClassicProfile profile = profile_of(20);
  auto results = results_of(*problem, profile);
  results->average_stress_increase[1][1] = 0.5f;
  results->average_stress_increase[7][18] = -0.0004f;
  results->average_stress_increase[8][19] = 12.3456f;
  results->average_stress_increase[8][20] = 123456.0f;
  Sink sink;
  write_table_6(sink.writer, *problem, profile, *results);
  const std::vector<std::string> lines = sink.lines();
  // Pages of 18 rows and of 2 rows, block by block.
  const std::size_t long_page = 2 + kBanner + 7 + 2 * 18;
  const std::size_t short_page = 2 + kBanner + 7 + 2 * 2;
  ASSERT_EQ(lines.size(), 2 * (long_page + short_page));

  const std::string block_1 = at({{8, "POINT NO."},
                                  {-26, "11"},
                                  {-34, "22"},
                                  {-42, "33"},
                                  {-50, "44"},
                                  {-58, "55"},
                                  {-66, "66"},
                                  {-74, "77"}});
  const std::string block_2 = at({{8, "POINT NO."}, {-26, "88"}});
  const std::string zeros = "   0.000   0.000   0.000   0.000   0.000   0.000   0.000";
  const auto page_1 = table_6_page("      ", block_1, {});
  EXPECT_EQ(slice(lines, 0, page_1.size()), page_1);
  EXPECT_EQ(lines[page_1.size() + 1], at({{-15, "0.25"}, {-28, "0.500"}, {29, zeros.substr(8)}}));
  EXPECT_EQ(lines[long_page - 1], at({{-15, "8.75"}, {21, zeros}}));

  const auto page_2 = table_6_page(
      "(CONT)", block_1, {at({{-15, "9.25"}, {21, zeros}}), at({{-15, "9.75"}, {21, zeros}})});
  EXPECT_EQ(slice(lines, long_page, short_page), page_2);
  EXPECT_EQ(lines[long_page + short_page + 2 + kBanner],
            at({{7, "TABLE 6 = AVERAGE STRESS INCREASE (CONT)"}}));
  EXPECT_EQ(lines[long_page + short_page + 2 + kBanner + 4], block_2);
  // A value too wide for its field is written as asterisks.
  const auto page_4 =
      table_6_page("(CONT)", block_2,
                   {at({{-15, "9.25"}, {-28, "12.346"}}), at({{-15, "9.75"}, {21, "********"}})});
  EXPECT_EQ(slice(lines, long_page + short_page + long_page, short_page), page_4);
}

TEST(Table7, EightPointsTwentySublayersWithTotalsAndPointRecords) {
  auto problem = grid(1, 8);
  const analysis::ClassicProfile profile = profile_of(20);
  auto results = results_of(*problem, profile);
  for (int j = 1; j <= 7; ++j) {
    results->total_settlement[j] = 0.25f * static_cast<float>(j);
  }
  results->sublayer_settlement[2][1] = 0.0625f;
  results->sublayer_settlement[8][20] = 1.5f;
  Sink sink;
  write_table_7(sink.writer, sink.aux, *problem, profile, *results);
  const std::vector<std::string> lines = sink.lines();
  const std::size_t long_page = 1 + kBanner + 7 + 2 * 18;
  const std::size_t short_page = 1 + kBanner + 7 + 2 * 2;
  const std::size_t block_1 = long_page + short_page + 2 + 2 * 7;
  ASSERT_EQ(lines.size(), block_1 + long_page + short_page + 2 + 2);

  const std::vector<std::string> top = {
      at({{7, "TABLE 7 - COMPUTED SETTLEMENT IN "}, {40, "INCHES     "}, {51, "      "}}),
      "",
      "",
      at({{7, "SETTLEMENT"}}),
      at({{8, "POINT NO."},
          {-26, "11"},
          {-34, "22"},
          {-42, "33"},
          {-50, "44"},
          {-58, "55"},
          {-66, "66"},
          {-74, "77"}}),
      "",
      at({{9, "DEPTH, "}, {16, "FT"}}),
      "",
      at({{-15, "0.250"},
          {-28, "0.000"},
          {-36, "0.063"},
          {-44, "0.000"},
          {-52, "0.000"},
          {-60, "0.000"},
          {-68, "0.000"},
          {-76, "0.000"}}),
  };
  EXPECT_EQ(lines[0], "\f");
  EXPECT_EQ(lines[1 + 7], kBlankTitle1);
  EXPECT_EQ(slice(lines, 1 + kBanner, top.size()), top);
  EXPECT_EQ(lines[long_page], "\f");
  EXPECT_EQ(lines[long_page + 1 + kBanner],
            at({{7, "TABLE 7 - COMPUTED SETTLEMENT IN INCHES     (CONT)"}}));

  // The block's total row, then its point records in the auxiliary file.
  const std::vector<std::string> end_of_block_1 = {
      "",
      at({{11, "TOTAL(In.)"},
          {-28, "0.250"},
          {-36, "0.500"},
          {-44, "0.750"},
          {-52, "1.000"},
          {-60, "1.250"},
          {-68, "1.500"},
          {-76, "1.750"}}),
      "#  1",
      at({{-11, "1.500000"}, {-26, "0.5000000"}, {-45, "0.2500000    "}}),
  };
  EXPECT_EQ(slice(lines, long_page + short_page, 4), end_of_block_1);
  EXPECT_EQ(lines[block_1 - 2], "#  7");
  EXPECT_EQ(lines[block_1 - 1], at({{-11, "7.500000"}, {-26, "0.5000000"}, {-45, "1.750000    "}}));

  EXPECT_EQ(lines[block_1], "\f");
  EXPECT_EQ(lines[block_1 + 1 + kBanner + 4], at({{8, "POINT NO."}, {-26, "88"}}));
  const std::vector<std::string> end_of_block_2 = {
      "",     at({{-15, "9.750"}, {-28, "1.500"}}),
      "",     at({{11, "TOTAL(In.)"}, {-28, "0.000"}}),
      "#  8", at({{-11, "8.500000"}, {-26, "0.5000000"}, {-45, "0.0000000E+00"}}),
  };
  EXPECT_EQ(slice(lines, lines.size() - 6, 6), end_of_block_2);
}

TEST(ResultTables, PagesBlockBySublayerPage) {
  const struct {
    int line;
    int points;
    int sublayers;
    long pages;
  } cases[] = {
      {__LINE__, 7, 18, 1}, {__LINE__, 8, 18, 2}, {__LINE__, 7, 19, 2},
      {__LINE__, 8, 19, 4}, {__LINE__, 8, 20, 4}, {__LINE__, 15, 37, 9},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    auto problem = grid(2, c.points);
    const analysis::ClassicProfile profile = profile_of(c.sublayers);
    auto results = results_of(*problem, profile);
    Sink table_6;
    write_table_6(table_6.writer, *problem, profile, *results);
    Sink table_7;
    write_table_7(table_7.writer, table_7.aux, *problem, profile, *results);
    for (const Sink* sink : {&table_6, &table_7}) {
      const std::vector<std::string> lines = sink->lines();
      EXPECT_EQ(std::count(lines.begin(), lines.end(), "\f"), c.pages);
      const auto continued = std::count_if(
          lines.begin(), lines.end(), [](const std::string& l) { return l.ends_with("(CONT)"); });
      EXPECT_EQ(continued, c.pages - 1);
    }
    // Table 6 pages begin with the doubled eject, Table 7 pages do not.
    const std::vector<std::string> lines_6 = table_6.lines();
    EXPECT_EQ(std::count(lines_6.begin(), lines_6.end(), "1"), c.pages);
    const std::vector<std::string> lines_7 = table_7.lines();
    EXPECT_EQ(std::count(lines_7.begin(), lines_7.end(), "1"), 0);
    EXPECT_EQ(
        std::count_if(lines_7.begin(), lines_7.end(),
                      [](const std::string& l) { return l.starts_with("          TOTAL(mm) "); }),
        (c.points + 6) / 7);
  }
}

TEST(ResultTables, NoPointsNothingAtAll) {
  auto problem = grid(1, 0);
  const analysis::ClassicProfile profile = profile_of(20);
  auto results = results_of(*problem, profile);
  Sink sink;
  write_table_6(sink.writer, *problem, profile, *results);
  write_table_7(sink.writer, sink.aux, *problem, profile, *results);
  EXPECT_EQ(sink.stream.str(), "");
}

TEST(ResultTables, NoSublayersOnlyTotalRows) {
  const struct {
    int line;
    int unit_system;
    std::string_view label;
  } cases[] = {{__LINE__, 1, "TOTAL(In.)"}, {__LINE__, 2, "TOTAL(mm) "}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    auto problem = grid(c.unit_system, 3);
    const analysis::ClassicProfile profile = profile_of(0);
    auto results = results_of(*problem, profile);
    Sink sink;
    write_table_6(sink.writer, *problem, profile, *results);
    EXPECT_EQ(sink.stream.str(), "");
    write_table_7(sink.writer, sink.aux, *problem, profile, *results);
    const std::string zero = "  0.0000000E+00";
    const std::vector<std::string> expected = {
        "",     at({{11, c.label}, {-28, "0.000"}, {-36, "0.000"}, {-44, "0.000"}}),
        "#  1", at({{-11, "1.500000"}, {-26, "0.5000000"}, {31, zero}}),
        "#  2", at({{-11, "2.500000"}, {-26, "0.5000000"}, {31, zero}}),
        "#  3", at({{-11, "3.500000"}, {-26, "0.5000000"}, {31, zero}}),
    };
    EXPECT_EQ(sink.lines(), expected);
  }
}

TEST(Table7, SiHeadingAndUnits) {
  auto problem = grid(2, 1);
  const analysis::ClassicProfile profile = profile_of(1);
  auto results = results_of(*problem, profile);
  Sink sink;
  write_table_7(sink.writer, sink.aux, *problem, profile, *results);
  const std::vector<std::string> lines = sink.lines();
  ASSERT_GE(lines.size(), 1 + kBanner + 7);
  EXPECT_EQ(lines[1 + kBanner],
            at({{7, "TABLE 7 - COMPUTED SETTLEMENT IN "}, {40, "MILLIMETRES"}, {51, "      "}}));
  EXPECT_EQ(lines[1 + kBanner + 6], at({{9, "DEPTH, "}, {16, "M "}}));
}

}  // namespace
}  // namespace report

namespace report {
namespace {

TEST(StrainWarnings, ABlockForEveryWarningInTheOrderOfTheAnalysis) {
  const std::string below =
      "\n\n*********** WARNING *************\n"
      "THE CALCULATED STRESS IS LESS THAN THE SMALLEST PRESSURE\n"
      "ON THE SOIL COMPRESSIBILITY CURVE. ADD NEW PRESSURE DATA,\n\n";
  const std::string above =
      "\n\n*********** WARNING *************\n"
      "THE CALCULATED STRESS IS GREATER THAN THE LARGEST PRESSURE\n"
      "ON THE SOIL COMPRESSIBILITY CURVE. ADD NEW PRESSURE DATA,\n\n";
  auto results = std::make_unique<analysis::AnalysisResults>();
  Sink none;
  write_strain_warnings(none.writer, *results);
  EXPECT_EQ(none.stream.str(), "");
  for (const analysis::CurveSide side :
       {analysis::CurveSide::kAbove, analysis::CurveSide::kBelow, analysis::CurveSide::kBelow}) {
    analysis::StrainWarning warning;
    warning.side = side;
    results->strain_warnings.push_back(warning);
  }
  Sink sink;
  write_strain_warnings(sink.writer, *results);
  EXPECT_EQ(sink.stream.str(), above + below + below);
}

}  // namespace
}  // namespace report

namespace report {
namespace {

TEST(Table7, PointNumbersUpTo999PrintInFullInTheBlockHeader) {
  auto problem = grid(1, 3);
  const analysis::ClassicProfile profile = profile_of(1);
  problem->points[1].point_number = 99;
  problem->points[2].point_number = 100;
  problem->points[3].point_number = 999;
  auto results = results_of(*problem, profile);
  Sink sink;
  write_table_7(sink.writer, sink.aux, *problem, profile, *results);
  const std::vector<std::string> lines = sink.lines();
  ASSERT_GT(lines.size(), 2 + kBanner + 4);
  EXPECT_EQ(lines[1 + kBanner + 4],
            at({{8, "POINT NO."}, {-26, "99"}, {-34, "100"}, {-42, "999"}}));
  problem->points[3].point_number = 1000;  // past the field
  Sink wide;
  write_table_7(wide.writer, wide.aux, *problem, profile, *results);
  EXPECT_EQ(wide.lines()[1 + kBanner + 4],
            at({{8, "POINT NO."}, {-26, "99"}, {-34, "100"}, {40, "***"}}));
}

}  // namespace
}  // namespace report
