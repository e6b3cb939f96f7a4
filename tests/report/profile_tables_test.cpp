#include "report/profile_tables.h"

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

// Records of the page before Table 1: the eject and the banner.
constexpr std::size_t kPageTop = 1 + 11;
// Table 1 has ten records and the Table 2 title five.
constexpr std::size_t kTable2Header = kPageTop + 10 + 5;

analysis::ClassicSublayer sublayer(int number, float centre, float factor, float weight, int curve,
                                   float pressure, float strain) {
  analysis::ClassicSublayer s;
  s.sublayer_number = number;
  s.centre_depth = centre;
  s.thickness = 0.5f;
  s.thickness_factor = factor;
  s.unit_weight = weight;
  s.curve_index = curve;
  s.overburden_pressure = pressure;
  s.initial_strain = strain;
  return s;
}

std::unique_ptr<problem::ProblemData> profile(int unit_system) {
  auto problem = std::make_unique<problem::ProblemData>();
  problem::set_unit_system(*problem, unit_system);
  problem->layer_count = 2;
  problem->curve_count = 3;
  problem->point_count = 12;
  problem->area_count = 140;
  problem->spread_area_count = 4;
  return problem;
}

TEST(Tables1And2, PageStartsWithEjectAndBanner) {
  auto problem = profile(1);
  analysis::ClassicProfile classic;
  Sink sink;
  write_tables_1_and_2(sink.writer, *problem, classic);
  const std::vector<std::string> lines = sink.lines();
  ASSERT_GE(lines.size(), kPageTop);
  EXPECT_EQ(lines[0], "\f");
  EXPECT_EQ(lines[1], at({{19, std::string(42, '*')}}));
  EXPECT_EQ(lines[8], std::string(74, ' '));
}

TEST(Tables1And2, Table1ControlValues) {
  auto problem = profile(1);
  analysis::ClassicProfile classic;
  Sink sink;
  write_tables_1_and_2(sink.writer, *problem, classic);
  const std::vector<std::string> lines = sink.lines();
  const std::vector<std::string> expected = {
      at({{7, "TABLE 1 - PROBLEM CONTROL PARAMETERS"}}),
      "",
      at({{12, "COMPUTATION UNITS"}, {48, "="}, {-52, "1"}}),
      at({{17, "1 = U.S. GRAVITATIONAL SYSTEM"}}),
      at({{17, "2 = S.I. ABSOLUTE SYSTEM"}}),
      at({{12, "NUMBER OF SOIL LAYERS"}, {48, "="}, {-52, "2"}}),
      at({{12, "NUMBER OF SOIL COMPRESSIBILITIES"}, {48, "="}, {-52, "3"}}),
      at({{12, "NUMBER OF SETTLEMENT POINTS"}, {48, "="}, {-52, "12"}}),
      // Spread areas are not counted.
      at({{12, "NUMBER OF LOADED AREAS"}, {48, "="}, {-52, "140"}}),
      "",
  };
  ASSERT_GE(lines.size(), kPageTop + expected.size());
  EXPECT_EQ(std::vector<std::string>(lines.begin() + kPageTop,
                                     lines.begin() + kPageTop + expected.size()),
            expected);
}

TEST(Tables1And2, Table1CountTooWideOverflows) {
  auto problem = profile(2);
  analysis::ClassicProfile classic;
  problem->point_count = 12345;
  Sink sink;
  write_tables_1_and_2(sink.writer, *problem, classic);
  const std::vector<std::string> lines = sink.lines();
  ASSERT_GE(lines.size(), kPageTop + 8);
  EXPECT_EQ(lines[kPageTop + 2], at({{12, "COMPUTATION UNITS"}, {48, "="}, {-52, "2"}}));
  EXPECT_EQ(lines[kPageTop + 7], at({{12, "NUMBER OF SETTLEMENT POINTS"}, {48, "=****"}}));
}

TEST(Tables1And2, Table2TitleAndHeaderOfBothSystems) {
  const struct {
    int line;
    int unit_system;
    std::string_view word_1, word_2, length, weight_unit, pressure;
  } cases[] = {
      {__LINE__, 1, "UNIT", "WEIGHT", "FT", "LB/FT**3", "KSF"},
      {__LINE__, 2, "MASS", "DENSITY", "M ", " KG/M**3", "KPA"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    auto problem = profile(c.unit_system);
    analysis::ClassicProfile classic;
    Sink sink;
    write_tables_1_and_2(sink.writer, *problem, classic);
    const std::vector<std::string> lines = sink.lines();
    const std::vector<std::string> expected = {
        "",
        "",
        "",
        at({{7, "TABLE 2 - SOIL AND LAYER INFORMATION"}}),
        "",
        at({{7, "SOIL  DEPTH TO   LAYER   LAYER"},
            {41, c.word_1},
            {48, "SOIL OVERBURDEN INIT VERTICAL"}}),
        at({{4, "SUBLAYER  CENTER  THICKNESS THICK."},
            {40, c.word_2},
            {47, " COMP  PRESSURE   STRAIN (F0)"}}),
        at({{8, "NO."},
            {16, c.length},
            {26, c.length},
            {32, "FACTOR"},
            {39, c.weight_unit},
            {49, "NO."},
            {56, c.pressure},
            {70, "%"}}),
        "",
    };
    // No sublayers: the title and the header end the page.
    EXPECT_EQ(std::vector<std::string>(lines.begin() + kPageTop + 10, lines.end()), expected);
  }
}

TEST(Tables1And2, Table2RowsInTheirColumns) {
  const struct {
    int line;
    int unit_system;
    analysis::ClassicSublayer sublayer;
    std::string expected;
  } cases[] = {
      {__LINE__, 1, sublayer(1, 0.25f, 1.0f, 120.0f, 2, 0.03f, 0.0123f),
       at({{-9, "1"},
           {-19, "0.25"},
           {-29, "0.50"},
           {-36, "1.00"},
           {-46, "120.00"},
           {-50, "2"},
           {-60, "0.030"},
           {-72, "1.230"}})},
      // A slope-line curve leaves the initial strain 0.
      {__LINE__, 1, sublayer(123, 61.25f, 0.85f, 97.5f, 12, 7.3125f, 0.0f),
       at({{-9, "123"},
           {-19, "61.25"},
           {-29, "0.50"},
           {-36, "0.85"},
           {-46, "97.50"},
           {-50, "12"},
           {-60, "7.313"},
           {-72, "0.000"}})},
      // S.I.: the stored mass density of a layer given as 18.0 kN/m3.
      {__LINE__, 2, sublayer(4, 1.75f, 1.0f, 1835.496f, 1, 31.5f, 0.125f),
       at({{-9, "4"},
           {-19, "1.75"},
           {-29, "0.50"},
           {-36, "1.00"},
           {-46, "1835.50"},
           {-50, "1"},
           {-60, "31.500"},
           {-72, "12.500"}})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    auto problem = profile(c.unit_system);
    analysis::ClassicProfile classic;
    classic.sublayers.push_back(c.sublayer);
    Sink sink;
    write_tables_1_and_2(sink.writer, *problem, classic);
    const std::vector<std::string> lines = sink.lines();
    ASSERT_EQ(lines.size(), kTable2Header + 4 + 1);
    EXPECT_EQ(lines.back(), c.expected);
  }
}

TEST(Tables1And2, Table2ListsEverySublayerTopDownOnOnePage) {
  auto problem = profile(1);
  analysis::ClassicProfile classic;
  for (int k = 1; k <= 40; ++k) {
    classic.sublayers.push_back(
        sublayer(k, static_cast<float>(k) * 0.5f - 0.25f, 1.0f, 110.0f, 1, 0.0f, 0.0f));
  }
  Sink sink;
  write_tables_1_and_2(sink.writer, *problem, classic);
  const std::vector<std::string> lines = sink.lines();
  ASSERT_EQ(lines.size(), kTable2Header + 4 + 40);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "\f"), 1);
  EXPECT_EQ(lines[kTable2Header + 4].substr(0, 19), at({{-9, "1"}, {-19, "0.25"}}));
  EXPECT_EQ(lines.back().substr(0, 19), at({{-9, "40"}, {-19, "19.75"}}));
}

}  // namespace
}  // namespace report
