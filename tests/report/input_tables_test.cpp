#include "report/input_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "problem/input_checks.h"
#include "support/record_lines.h"

namespace report {
namespace {

using Sink = testing_support::RecordSink;
using testing_support::at;
using testing_support::set_text;

std::vector<std::string> slice(const std::vector<std::string>& lines, std::size_t first,
                               std::size_t count) {
  if (first + count > lines.size()) return {};
  return {lines.begin() + static_cast<std::ptrdiff_t>(first),
          lines.begin() + static_cast<std::ptrdiff_t>(first + count)};
}

// The eject and banner of a plain page, of a doubled page.
constexpr std::size_t kPlainTop = 1 + 11;
constexpr std::size_t kDoubledTop = 2 + 11;

std::unique_ptr<problem::ProblemData> empty_problem(int unit_system) {
  auto problem = std::make_unique<problem::ProblemData>();
  problem::set_unit_system(*problem, unit_system);
  return problem;
}

// Curves 1..count, all slope lines of slope 0.01, numbered 10 + position.
void add_slope_curves(problem::ProblemData& problem, int count) {
  problem.curve_count = count;
  for (int c = 1; c <= count; ++c) {
    auto& curve = problem.curves[c];
    curve.curve_number = 10 + c;
    curve.slope = 0.01f;
  }
}

void set_points(problem::CompressibilityCurve& curve, std::vector<std::pair<float, float>> points) {
  curve.point_count = static_cast<std::int32_t>(points.size());
  int j = 0;
  for (const auto& [strain, pressure] : points) {
    curve.strain[++j] = strain;
    curve.pressure[j] = pressure;
  }
}

const std::string kTable3 = "TABLE 3 - SOIL COMPRESSIBILITY SOURCE AND DATA";

TEST(Table3, NoCurvesNoPage) {
  auto problem = empty_problem(1);
  Sink sink;
  write_table_3(sink.writer, *problem);
  EXPECT_EQ(sink.stream.str(), "");
}

TEST(Table3, SevenCurvesPerPageContinuedAfterData) {
  const struct {
    int line;
    int curves;
    std::size_t pages;
  } cases[] = {{__LINE__, 1, 1}, {__LINE__, 7, 1}, {__LINE__, 8, 2}, {__LINE__, 15, 3}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    auto problem = empty_problem(1);
    add_slope_curves(*problem, c.curves);
    Sink sink;
    write_table_3(sink.writer, *problem);
    const std::vector<std::string> lines = sink.lines();
    // A page: eject, banner, heading and its empty record; each slope curve
    // takes four heading records and the sentence with its empty record.
    std::size_t line = 0;
    for (std::size_t page = 0; page < c.pages; ++page) {
      ASSERT_LT(line + kPlainTop + 1, lines.size());
      EXPECT_EQ(lines[line], "\f");
      EXPECT_EQ(lines[line + kPlainTop],
                page == 0 ? at({{7, kTable3}, {53, "      "}}) : at({{7, kTable3 + "(CONT)"}}));
      EXPECT_EQ(lines[line + kPlainTop + 1], "");
      const int on_page = std::min(7, c.curves - static_cast<int>(page) * 7);
      line += kPlainTop + 2 + static_cast<std::size_t>(on_page) * 6;
    }
    EXPECT_EQ(line, lines.size());
  }
}

TEST(Table3, CurveHeadingShowsNumberAndSource) {
  auto problem = empty_problem(1);
  add_slope_curves(*problem, 1);
  // Table 3 shows the number given in the input, not the position.
  problem->curves[1].curve_number = 5;
  const std::string source = "BOREHOLE B-2, CONSOLIDATION TEST AT 12 FT, UNDISTURBED CLAY!";
  ASSERT_EQ(source.size(), 60u);
  set_text(problem->curves[1].source_text, source);
  Sink sink;
  write_table_3(sink.writer, *problem);
  const std::vector<std::string> expected = {"", at({{7, "SOIL COMPRESSIBILITY NO."}, {-33, "5"}}),
                                             at({{17, source}}), ""};
  EXPECT_EQ(slice(sink.lines(), kPlainTop + 2, 4), expected);
}

TEST(Table3, SlopeSentences) {
  const struct {
    int line;
    float slope;
    std::string expected;
  } cases[] = {
      {__LINE__, -0.02f, at({{14, "THE SLOPE OF THE F(%)-P CURVE IS "}, {-52, "2.000"}})},
      {__LINE__, 0.035f, at({{14, "THE SLOPE OF THE F(%)-LOG P CURVE IS "}, {-56, "3.500"}})},
      {__LINE__, 0.0f, at({{14, "THE SLOPE OF THE F(%)-LOG P CURVE IS "}, {-56, "0.000"}})},
      {__LINE__, -0.5f, at({{14, "THE SLOPE OF THE F(%)-P CURVE IS "}, {-52, "50.000"}})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    for (int point_count : {0, 1}) {
      auto problem = empty_problem(1);
      add_slope_curves(*problem, 1);
      problem->curves[1].point_count = point_count;
      problem->curves[1].slope = c.slope;
      Sink sink;
      write_table_3(sink.writer, *problem);
      const std::vector<std::string> lines = sink.lines();
      ASSERT_EQ(lines.size(), kPlainTop + 2 + 4 + 2);
      EXPECT_EQ(lines[lines.size() - 2], c.expected);
      EXPECT_EQ(lines.back(), "");
    }
  }
}

TEST(Table3, PointCurveRowsInPercent) {
  for (int unit_system : {1, 2}) {
    SCOPED_TRACE(unit_system);
    auto problem = empty_problem(unit_system);
    add_slope_curves(*problem, 1);
    set_points(problem->curves[1], {{0.0f, 0.5f}, {0.025f, 1.0f}, {0.05f, 1234.5678f}});
    Sink sink;
    write_table_3(sink.writer, *problem);
    const std::vector<std::string> expected = {
        "",
        "",
        at({{12, "F"}, {27, "P"}}),
        at({{11, "(%)"}, {24, unit_system == 2 ? "KPA" : "KSF"}}),
        at({{-16, "0.000"}, {-30, "0.500"}}),
        at({{-16, "2.500"}, {-30, "1.000"}}),
        at({{-16, "5.000"}, {-30, "1234.568"}}),
    };
    const std::vector<std::string> lines = sink.lines();
    ASSERT_EQ(lines.size(), kPlainTop + 2 + 4 + expected.size());
    EXPECT_EQ(slice(lines, kPlainTop + 2 + 4, expected.size()), expected);
  }
}

const std::vector<std::string> kErrorBlock = {
    "", "", "************ERROR**************", "THE VERTICAL PRESSURE SHOULD BE GREATER THAN 0.0",
    "", ""};

TEST(Table3, PressureNotAboveZeroStopsAfterItsRow) {
  for (float bad : {0.0f, -0.0f, -2.0f}) {
    SCOPED_TRACE(bad);
    auto problem = empty_problem(1);
    add_slope_curves(*problem, 2);
    set_points(problem->curves[1], {{0.01f, 0.5f}, {0.02f, 1.0f}, {0.03f, bad}, {0.04f, 4.0f}});
    Sink sink;
    const auto fault = problem::find_pressure_fault(*problem, problem::SourceLines{});
    ASSERT_TRUE(fault);
    write_table_3(sink.writer, *problem, fault);
    const std::vector<std::string> lines = sink.lines();
    // Heading records, point heading, three rows, then the error block and
    // nothing of row 4 or curve 2.
    const std::size_t rows = kPlainTop + 2 + 4 + 4;
    ASSERT_EQ(lines.size(), rows + 3 + kErrorBlock.size());
    EXPECT_EQ(lines[rows + 2], at({{-16, "3.000"}, {-30, bad < 0.0f ? "-2.000" : "0.000"}}));
    EXPECT_EQ(slice(lines, rows + 3, kErrorBlock.size()), kErrorBlock);
  }
}

TEST(Table3, PressureErrorOnSecondPage) {
  auto problem = empty_problem(1);
  add_slope_curves(*problem, 10);
  set_points(problem->curves[9], {{0.01f, 1.0f}, {0.02f, 0.0f}});
  Sink sink;
  const auto fault = problem::find_pressure_fault(*problem, problem::SourceLines{});
  ASSERT_TRUE(fault);
  write_table_3(sink.writer, *problem, fault);
  const std::vector<std::string> lines = sink.lines();
  // Page 1 with curves 1 to 7, page 2 with curve 8, curve 9's two rows.
  const std::size_t page_2 = kPlainTop + 2 + 7 * 6;
  ASSERT_EQ(lines.size(), page_2 + kPlainTop + 2 + 6 + 4 + 4 + 2 + kErrorBlock.size());
  EXPECT_EQ(lines[page_2], "\f");
  EXPECT_EQ(lines[page_2 + kPlainTop], at({{7, kTable3 + "(CONT)"}}));
  EXPECT_EQ(lines[page_2 + kPlainTop + 2 + 6 + 1],
            at({{7, "SOIL COMPRESSIBILITY NO."}, {-33, "19"}}));
  EXPECT_EQ(slice(lines, lines.size() - kErrorBlock.size(), kErrorBlock.size()), kErrorBlock);
}

std::vector<std::string> table_4_top(std::string_view length) {
  return {at({{7, "TABLE 4 - SETTLEMENT POINT DATA"}}),
          "",
          at({{7, "POINT   POINT COORDINATES   LAYER"}}),
          at({{7, " NO,       X          Y      NO.*"}}),
          at({{18, length}, {29, length}}),
          ""};
}

const std::string kFootnote =
    at({{7, "* NUMBER OF SOIL LAYER AT WHICH SETTLEMENT COMPUTATION BEGINS"}});

TEST(Table4, NoPointsHeadingHeaderAndFootnote) {
  auto problem = empty_problem(2);
  Sink report;
  Sink aux;
  write_table_4(report.writer, aux.writer, *problem);
  std::vector<std::string> expected = table_4_top("M ");
  expected.push_back("");
  expected.push_back(kFootnote);
  const std::vector<std::string> lines = report.lines();
  ASSERT_EQ(lines.size(), kPlainTop + expected.size());
  EXPECT_EQ(lines[0], "\f");
  EXPECT_EQ(slice(lines, kPlainTop, expected.size()), expected);
  // No regular areas: the auxiliary file says so right away.
  EXPECT_EQ(aux.lines(), (std::vector<std::string>{"LDS", at({{-12, "0"}})}));
}

TEST(Table4, PointRows) {
  auto problem = empty_problem(1);
  problem->area_count = 1;
  problem->point_count = 4;
  problem->points[1] = {3, 10.5f, -2.25f, 2};
  problem->points[2] = {100, -1234.567f, 0.004f, 12};
  problem->points[3] = {999, 0.0f, 0.0f, 1};
  problem->points[4] = {1000, 0.0f, 0.0f, -1};
  Sink report;
  Sink aux;
  write_table_4(report.writer, aux.writer, *problem);
  std::vector<std::string> expected = table_4_top("FT");
  expected.push_back(at({{-9, "3"}, {-20, "10.50"}, {-30, "-2.25"}, {-37, "2"}}));
  // Numbers up to 999 take the blank column before the field.
  expected.push_back(at({{-9, "100"}, {-20, "-1234.57"}, {-30, "0.00"}, {-37, "12"}}));
  expected.push_back(at({{-9, "999"}, {-20, "0.00"}, {-30, "0.00"}, {-37, "1"}}));
  expected.push_back(at({{7, "***"}, {-20, "0.00"}, {-30, "0.00"}, {-37, "-1"}}));
  expected.push_back("");
  expected.push_back(kFootnote);
  EXPECT_EQ(slice(report.lines(), kPlainTop, expected.size()), expected);
  EXPECT_EQ(aux.stream.str(), "");
}

problem::LoadedArea area(std::string_view id, int shape, float x) {
  problem::LoadedArea a;
  set_text(a.area_id, id);
  a.shape = shape;
  a.x = x;
  a.y = -20.0f;
  a.x_length = 10.0f;
  a.y_length = 12.5f;
  a.area_slope = 0.5f;
  a.loading = 1.25f;
  a.elevation = 2.0f;
  return a;
}

TEST(Table4, NegativeAreaCountWritesNoAreaHeader) {
  auto problem = empty_problem(1);
  problem->area_count = -3;
  Sink report;
  Sink aux;
  write_table_4(report.writer, aux.writer, *problem);
  EXPECT_EQ(aux.stream.str(), "");
}

TEST(Table5, NoRegularAreasNoPage) {
  auto problem = empty_problem(1);
  problem->spread_area_count = 2;
  problem->areas[1] = area("", 3, 1.0f);
  Sink report;
  Sink aux;
  write_table_5(report.writer, aux.writer, *problem);
  EXPECT_EQ(report.stream.str(), "");
  EXPECT_EQ(aux.stream.str(), "");
}

TEST(Table5, HeaderRowAndAreaRecords) {
  for (int unit_system : {1, 2}) {
    SCOPED_TRACE(unit_system);
    // The S.I. length label carries its blank, also at the end of a record.
    const std::string_view l = unit_system == 2 ? "M " : "FT";
    const std::string_view p = unit_system == 2 ? "KPA" : "KSF";
    auto problem = empty_problem(unit_system);
    problem->area_count = 1;
    problem->areas[1] = area("A12", 1, 150.25f);
    problem->areas[2] = area("SPR", 3, 1.0f);  // a spread area: never listed
    problem->spread_area_count = 1;
    Sink report;
    Sink aux;
    write_table_5(report.writer, aux.writer, *problem);
    const std::vector<std::string> expected = {
        "\f",
        "1",
        at({{7, "TABLE 5 - LOADED AREA INFORMATION"}, {41, "      "}}),
        "",
        at({{7, "AREA AREA  LOADED AREA CENTER   AREA DIMEN.   AREA   SUSTAINED   AREA"}}),
        at({{8, "ID  SHAPE  X-COORD  Y-COORD   XLEN    YLEN  SLOPE    LOADING    ELEV"}}),
        at({{22, l}, {31, l}, {39, l}, {47, l}, {63, p}, {73, l}}),
        "",
        at({{7, "A12"},
            {-14, "1"},
            {-25, "150.25"},
            {-34, "-20.00"},
            {-41, "10.00"},
            {-49, "12.50"},
            {-56, "0.500"},
            {-67, "1.250"},
            {-75, "2.00"}}),
    };
    const std::vector<std::string> lines = report.lines();
    ASSERT_EQ(lines.size(), kDoubledTop + 7);
    EXPECT_EQ(slice(lines, 0, 2), slice(expected, 0, 2));
    EXPECT_EQ(slice(lines, kDoubledTop, 7), slice(expected, 2, 7));
    const std::vector<std::string> records = {
        "LDS",
        at({{-12, "1"}}),
        "A12 ",
        at({{-4, "1"},
            {-15, "150.25"},
            {-24, "-20.00"},
            {-31, "10.00"},
            {-39, "12.50"},
            {-46, "0.500"},
            {-57, "1.250"},
            {-65, "2.00"}}),
    };
    EXPECT_EQ(aux.lines(), records);
  }
}

TEST(Table5, PagesOf136AreasWithAreaRecords) {
  const struct {
    int line;
    int areas;
  } cases[] = {{__LINE__, 136}, {__LINE__, 137}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    auto problem = empty_problem(1);
    problem->area_count = c.areas;
    for (int i = 1; i <= c.areas; ++i) {
      problem->areas[i] = area("R" + std::to_string(i), 1, static_cast<float>(i));
    }
    Sink report;
    Sink aux;
    write_table_5(report.writer, aux.writer, *problem);
    const std::vector<std::string> lines = report.lines();
    // Doubled eject, banner, heading (2), column header (4), the rows.
    const std::size_t page_1 = kDoubledTop + 6 + 136;
    if (c.areas == 136) {
      ASSERT_EQ(lines.size(), page_1);
    } else {
      ASSERT_EQ(lines.size(), page_1 + kDoubledTop + 6 + 1);
      EXPECT_EQ(slice(lines, page_1, 2), (std::vector<std::string>{"\f", "1"}));
      EXPECT_EQ(lines[page_1 + kDoubledTop],
                at({{7, "TABLE 5 - LOADED AREA INFORMATION"}, {41, "(CONT)"}}));
      EXPECT_EQ(lines.back().substr(0, 14), at({{7, "R137"}, {-14, "1"}}));
    }
    EXPECT_EQ(lines[kDoubledTop + 6 + 135].substr(0, 25),
              at({{7, "R136"}, {-14, "1"}, {-25, "136.00"}}));

    const std::vector<std::string> records = aux.lines();
    const std::size_t first_page = 2 + 2 * 136;
    ASSERT_EQ(records.size(), c.areas == 136 ? first_page : first_page + 2 + 2);
    EXPECT_EQ(slice(records, 0, 3), (std::vector<std::string>{"LDS", at({{-12, "136"}}), "R1  "}));
    EXPECT_EQ(records[first_page - 2], "R136");
    if (c.areas == 137) {
      EXPECT_EQ(slice(records, first_page, 3),
                (std::vector<std::string>{"LDS", at({{-12, "137"}}), "R137"}));
    }
  }
}

}  // namespace
}  // namespace report
