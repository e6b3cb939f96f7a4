// The section: where its line crosses each kind of area, where it is sampled,
// and that a sample on a settlement point has the point's total.
#include "plot/section.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "analysis/classic_analysis.h"
#include "problem/problem_reader.h"
#include "support/problem_reading.h"
#include "support/profile_builder.h"

namespace plot {
namespace {

problem::LoadedArea area(std::int32_t shape, float x, float y, float x_length, float y_length,
                         float slope) {
  problem::LoadedArea a;
  a.shape = shape;
  a.x = x;
  a.y = y;
  a.x_length = x_length;
  a.y_length = y_length;
  a.area_slope = slope;
  return a;
}

// Along y = 0 from x = -20 to 20 (distance = x + 20):
//   a 4 x 4 rectangle at the origin turned 45 degrees (slope 1): a diamond
//     reaching 2 * sqrt(2) along the axes;
//   a circle of diameter 10 at (10, 3): x = 10 -+ 4;
//   a circle of diameter 4 at (0, 10): missed;
//   a spread area 2 x 6 at (-10, 0), its slope ignored: x = -11 .. -9.
TEST(Section, CrossesEachKindOfAreaWhereItsOutlineLies) {
  problem::ProblemData problem;
  problem.area_count = 3;
  problem.spread_area_count = 1;
  problem.areas[1] = area(problem::kRectangle, 0, 0, 4, 4, 1);
  problem.areas[2] = area(problem::kCircle, 10, 3, 10, 0, 0);
  problem.areas[3] = area(problem::kCircle, 0, 10, 4, 0, 0);
  problem.areas[4] = area(problem::kSpreadArea, -10, 0, 2, 6, 1);
  const auto crossings = section_crossings(problem, {-20, 0, 20, 0});
  const struct {
    int area;
    double from, to;
  } expected[] = {{1, 20 - 2 * std::sqrt(2.0), 20 + 2 * std::sqrt(2.0)}, {2, 26, 34}, {4, 9, 11}};
  ASSERT_EQ(crossings.size(), std::size(expected));
  for (std::size_t k = 0; k < crossings.size(); ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(crossings[k].area, expected[k].area);
    EXPECT_NEAR(crossings[k].from, expected[k].from, 1e-6);
    EXPECT_NEAR(crossings[k].to, expected[k].to, 1e-6);
  }
  // A line that ends inside an area is cut at its end; one run backwards
  // measures from its own start.
  const auto short_line = section_crossings(problem, {0, 0, 20, 0});
  ASSERT_EQ(short_line.size(), 2u);
  EXPECT_NEAR(short_line[0].from, 0.0, 1e-12);
  EXPECT_NEAR(short_line[0].to, 2 * std::sqrt(2.0), 1e-6);
  const auto backwards = section_crossings(problem, {20, 0, -20, 0});
  ASSERT_EQ(backwards.size(), 3u);
  EXPECT_NEAR(backwards[1].from, 6, 1e-6);
  EXPECT_NEAR(backwards[1].to, 14, 1e-6);
}

TEST(Section, IsSampledAtTheSpacingAndAtItsEnd) {
  const struct {
    int line;
    double length, spacing;
    std::vector<double> stations;
  } cases[] = {
      {__LINE__, 10.0, 2.5, {0, 2.5, 5, 7.5, 10}},
      {__LINE__, 10.0, 3.0, {0, 3, 6, 9, 10}},
      {__LINE__, 0.5, 1.0, {0, 0.5}},
      {__LINE__, 10.0000001, 2.5, {0, 2.5, 5, 7.5, 10.0000001}},
      {__LINE__, 9.9999999, 2.5, {0, 2.5, 5, 7.5, 9.9999999}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(section_stations(c.length, c.spacing), c.stations);
  }
}

// Each sample is a point's analysis: a line of more than 1000 grid spacings
// is sampled 1000 times.
TEST(Section, ALongLineIsSampledAtMostAThousandTimes) {
  EXPECT_EQ(section_spacing({0, 0, 100, 0}, 0.5), 0.5);
  EXPECT_EQ(section_spacing({0, 0, 0, 500}, 0.5), 0.5);
  EXPECT_EQ(section_spacing({0, 0, 30000, 40000}, 0.5), 50.0);
  EXPECT_EQ(section_stations(50000, section_spacing({0, 0, 30000, 40000}, 0.5)).size(), 1001u);
}

testing_support::ClassicProblem read_sample() {
  problem::ReadResult read = testing_support::read_problem_file(
      std::filesystem::path(SETTLE_EXAMPLES) / "sample" / "sample.dat");
  return testing_support::classic_problem(std::move(read.problem));
}

// The sample's one point lies at the origin with start layer 1: the section
// through it is analysed there as the point is, to the bit.
TEST(Section, ASampleOnAPointHasThePointsTotal) {
  const auto problem = read_sample();
  const auto results = analysis::analyse(problem.profile);
  const Section section = compute_section(*problem.problem, problem.project, problem.profile,
                                          {-5, 0, 5, 0}, true, 0.5, 1);
  ASSERT_EQ(section.samples.size(), 21u);
  const SectionSample& middle = section.samples[10];
  EXPECT_EQ(middle.at.x, 0.0);
  EXPECT_EQ(middle.at.y, 0.0);
  EXPECT_EQ(middle.settlement, results->total_settlement[1]);
  // The settlement falls away from the middle of the 10 x 20 area on either side.
  EXPECT_GT(middle.settlement, section.samples[0].settlement);
  EXPECT_GT(middle.settlement, section.samples[20].settlement);
  ASSERT_EQ(section.crossings.size(), 1u);  // the area A1; the spread area lies above
  EXPECT_EQ(section.crossings[0].area, 1);
}

TEST(Section, WithoutALineRunsAlongXThroughTheLargestSettlement) {
  const auto problem = read_sample();
  problem->point_count = 3;
  problem->points[2].y = 4.0f;
  problem->points[3].y = -2.0f;
  analysis::AnalysisResults results;
  results.total_settlement.resize(3);
  results.total_settlement[1] = 1.0f;
  results.total_settlement[2] = 2.0f;
  results.total_settlement[3] = 2.0f;
  const analysis::PlanGrid grid{-10.0, -15.0, 0.5, 41, 61};
  const std::vector<float> totals(static_cast<std::size_t>(grid.node_count()), 0.0f);
  const SectionLine line = default_section_line(*problem.problem, results, grid, totals);
  EXPECT_EQ(line.y1, 4.0);
  EXPECT_EQ(line.y2, 4.0);
  EXPECT_EQ(line.x1, -10.0);
  EXPECT_EQ(line.x2, 10.0);
}

}  // namespace
}  // namespace plot
