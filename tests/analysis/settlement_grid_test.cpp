#include "analysis/settlement_grid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "analysis/classic_analysis.h"
#include "analysis/exact_analysis.h"
#include "analysis/exact_profile.h"
#include "problem/problem_reader.h"
#include "project/project_file.h"
#include "support/problem_reading.h"
#include "support/profile_builder.h"

namespace analysis {
namespace {

namespace fs = std::filesystem;

using testing_support::ClassicProblem;

ClassicProblem read_example(const std::string& folder, const std::string& file) {
  problem::ReadResult read =
      testing_support::read_problem_file(fs::path(SETTLE_EXAMPLES) / folder / file);
  EXPECT_FALSE(read.stop);
  return testing_support::classic_problem(std::move(read.problem));
}

// A node on a settlement point with the point's start layer is that point:
// its total is the point's, bit for bit.
TEST(SettlementGrid, ANodeOnAPointHasThePointsTotal) {
  const struct {
    const char* folder;
    const char* file;
    double spacing;
  } examples[] = {
      {"sample", "sample.dat", 0.5}, {"si_units", "raft.dat", 0.5}, {"large", "large.dat", 0.5}};
  for (const auto& example : examples) {
    SCOPED_TRACE(example.folder);
    const auto problem = read_example(example.folder, example.file);
    const auto results = analyse(problem.profile);
    const PlanGrid grid = plan_grid(problem.project, example.spacing);
    int matched = 0;
    for (int j = 1; j <= problem->point_count; ++j) {
      const problem::SettlementPoint& point = problem->points[j];
      const double i = (static_cast<double>(point.x) - grid.x0) / grid.spacing;
      const double k = (static_cast<double>(point.y) - grid.y0) / grid.spacing;
      if (i != std::round(i) || k != std::round(k)) continue;
      PlanGrid one = grid;  // the single node on the point
      one.x0 = point.x;
      one.y0 = point.y;
      one.columns = one.rows = 1;
      ASSERT_EQ(one.x(0), point.x);
      ASSERT_EQ(one.y(0), point.y);
      const std::vector<float> total =
          settlement_on_grid(problem.project, problem.profile, one, point.start_layer);
      EXPECT_EQ(total.at(0), results->total_settlement[j]) << "point " << j;
      ++matched;
    }
    EXPECT_GT(matched, 0);
  }
}

// By the exact method, a node on a settlement point with the point's start
// layer settles as the point's analysis gives it, and every node is
// exact_settlement_at the node, row by row from y0.
TEST(SettlementGrid, ExactNodesAreTheExactMethodsSettlementThere) {
  constexpr const char* kProject = R"(schema_version = 1
title = "Raft on clay"
units = "SI"
[groundwater]
water_table = 1.0
[soils.clay]
model = "index"
cc = 0.3
cr = 0.03
e0 = 1.0
ocr = 1.5
[[layers]]
bottom = 8.0
soil = "clay"
unit_weight = 18.0
[[points]]
x = 2.0
y = -1.0
[[loads]]
kind = "polygon"
vertices = [[-4.0, -3.0], [4.0, -3.0], [0.0, 5.0]]
pressure = 50.0
)";
  const project::ProjectReading reading =
      project::read_project_text(kProject, project::Form::kToml);
  ASSERT_TRUE(reading.ok());
  const ExactPreparation prepared = prepare_exact(reading.project);
  ASSERT_TRUE(prepared.diagnostics.empty());
  const ExactAnalysis analysed = analyse_exact(reading.project, prepared.profile);
  ASSERT_FALSE(analysed.stop);
  const PlanGrid grid{-6.0, -5.0, 1.0, 13, 11};
  const std::vector<float> totals = settlement_on_grid(prepared.profile, grid, 1);
  ASSERT_EQ(totals.size(), 143u);
  const std::size_t first = first_counted_sublayer(prepared.profile, 1);
  for (int j = 0; j < grid.rows; ++j) {
    for (int i = 0; i < grid.columns; ++i) {
      const float expected = static_cast<float>(exact_settlement_at(
          prepared.profile, static_cast<double>(grid.x(i)), static_cast<double>(grid.y(j)), first));
      ASSERT_EQ(totals[static_cast<std::size_t>(j * grid.columns + i)], expected) << i << "," << j;
    }
  }
  // The point stands on the node (8, 4).
  EXPECT_EQ(totals[4 * 13 + 8], static_cast<float>(analysed.results.points[0].settlement));
  EXPECT_GT(totals[4 * 13 + 8], 0.0f);
}

TEST(SettlementGrid, CoversThePlanWithAMarginInAboutEightyCells) {
  const auto problem = read_example("large", "large.dat");
  const PlanExtent extent = plan_extent(problem.project);
  const PlanGrid grid = plan_grid(problem.project);
  const double longer = std::max(extent.width(), extent.height());
  const int cells = std::max(grid.columns, grid.rows) - 1;
  EXPECT_GE(cells, 55);
  EXPECT_LE(cells, 115);
  // A round spacing, nodes on its multiples.
  const double mantissa = grid.spacing / std::pow(10.0, std::floor(std::log10(grid.spacing)));
  EXPECT_TRUE(mantissa == 1.0 || mantissa == 2.0 || mantissa == 2.5 || mantissa == 5.0) << mantissa;
  EXPECT_DOUBLE_EQ(grid.x0 / grid.spacing, std::round(grid.x0 / grid.spacing));
  EXPECT_LE(grid.x0, extent.min_x - 0.2 * longer + 1e-9);
  EXPECT_GE(grid.x0 + grid.spacing * (grid.columns - 1), extent.max_x + 0.2 * longer - 1e-9);
  EXPECT_LE(grid.y0, extent.min_y - 0.2 * longer + 1e-9);
  EXPECT_GE(grid.y0 + grid.spacing * (grid.rows - 1), extent.max_y + 0.2 * longer - 1e-9);
  // A spacing asked for is kept.
  EXPECT_EQ(plan_grid(problem.project, 0.75).spacing, 0.75);
}

// One layer on a slope line under one loaded area at the origin.
ClassicProblem one_area(std::int32_t shape, float slope = 0.0f) {
  auto problem = testing_support::make_profile({{10.0f, 120.0f, 1}});
  problem->curve_count = 1;
  problem->curves[1].slope = 0.05f;
  problem->area_count = 1;
  problem::LoadedArea& area = problem->areas[1];
  area.shape = shape;
  area.x_length = 8.0f;
  area.y_length = 4.0f;
  area.area_slope = slope;
  area.loading = 2.0f;
  return testing_support::classic_problem(std::move(problem));
}

TEST(SettlementGrid, AProblemSymmetricAboutBothAxesGivesASymmetricGrid) {
  const auto problem = one_area(problem::kRectangle);
  const PlanGrid grid = plan_grid(problem.project, 0.5);
  // The extent is symmetric, so are the nodes.
  ASSERT_EQ(grid.x0, -(grid.x0 + grid.spacing * (grid.columns - 1)));
  ASSERT_EQ(grid.y0, -(grid.y0 + grid.spacing * (grid.rows - 1)));
  const std::vector<float> totals = settlement_on_grid(problem.project, problem.profile, grid, 1);
  float largest = 0.0f;
  for (const float t : totals) largest = std::max(largest, t);
  ASSERT_GT(largest, 0.0f);
  const auto at = [&](int i, int j) {
    return totals[static_cast<std::size_t>(j * grid.columns + i)];
  };
  for (int j = 0; j < grid.rows; ++j) {
    for (int i = 0; i < grid.columns; ++i) {
      // Mirrored, the corner rectangles are added in another order: the last
      // bit of a sum may differ, and with it a cut at the fifth decimal.
      EXPECT_NEAR(at(i, j), at(grid.columns - 1 - i, j), 1e-5f * largest) << i << ", " << j;
      EXPECT_NEAR(at(i, j), at(i, grid.rows - 1 - j), 1e-5f * largest) << i << ", " << j;
    }
  }
}

TEST(SettlementGrid, ACircleSettlesAlikeAtEveryNodeOfOneRadius) {
  const auto problem = one_area(problem::kCircle);
  const PlanGrid grid = plan_grid(problem.project, 0.5);
  const std::vector<float> totals = settlement_on_grid(problem.project, problem.profile, grid, 1);
  const auto at = [&](double x, double y) {
    const int i = static_cast<int>(std::lround((x - grid.x0) / grid.spacing));
    const int j = static_cast<int>(std::lround((y - grid.y0) / grid.spacing));
    return totals[static_cast<std::size_t>(j * grid.columns + i)];
  };
  // (3, 4), (4, 3), (0, 5), (-5, 0) and (-3, -4) all lie 5 from the centre.
  const float r5 = at(3.0, 4.0);
  EXPECT_GT(r5, 0.0f);
  for (const auto& [x, y] : {std::pair{4.0, 3.0}, std::pair{0.0, 5.0}, std::pair{-5.0, 0.0},
                             std::pair{-3.0, -4.0}, std::pair{4.0, -3.0}}) {
    EXPECT_EQ(at(x, y), r5) << x << ", " << y;
  }
  EXPECT_GT(at(0.0, 0.0), at(2.0, 0.0));
  EXPECT_GT(at(2.0, 0.0), r5);
}

TEST(SettlementGrid, ProgressIsToldAfterEveryRow) {
  const auto problem = one_area(problem::kRectangle);
  const PlanGrid grid = plan_grid(problem.project, 2.0);
  std::vector<int> told;
  settlement_on_grid(problem.project, problem.profile, grid, 1, [&](int done, int rows) {
    EXPECT_EQ(rows, grid.rows);
    told.push_back(done);
  });
  ASSERT_EQ(told.size(), static_cast<std::size_t>(grid.rows));
  EXPECT_EQ(told.back(), grid.rows);
}

TEST(SettlementGrid, TheDefaultStartLayerIsTheSmallestAmongThePoints) {
  site::Project project;
  EXPECT_EQ(default_start_layer(project), 1);  // no points
  project.points.resize(3);
  project.points[0].start_layer = 2;
  project.points[1].start_layer = 1;
  project.points[2].start_layer = 3;
  EXPECT_EQ(default_start_layer(project), 1);
  project.points[2].start_layer = 0;  // every sublayer
  EXPECT_EQ(default_start_layer(project), 0);
}

TEST(SettlementGrid, TheNodeCountIsKnownBeforeTheGridIsFormed) {
  const auto problem = one_area(problem::kRectangle);
  for (const std::optional<double> spacing :
       {std::optional<double>(), std::optional<double>(0.5), std::optional<double>(0.3)}) {
    const PlanGrid grid = plan_grid(problem.project, spacing);
    // Counted from the extent without forming the grid: at most one node more
    // each way.
    const double count = grid_node_count(problem.project, spacing);
    EXPECT_GE(count, static_cast<double>(grid.node_count()));
    EXPECT_LE(count, static_cast<double>(grid.columns + 1) * (grid.rows + 1));
  }
  // A spacing far too fine is seen before any count overflows.
  EXPECT_GT(grid_node_count(problem.project, 1e-9), kMaxGridNodes);
}

}  // namespace
}  // namespace analysis
