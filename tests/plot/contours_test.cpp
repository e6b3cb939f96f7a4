// Contour lines and bands of grids whose level lines are known: a plane (its
// lines are straight), a cone (circles), a saddle cell, and the grid of a
// single loaded circle from the real analysis.
#include "plot/contours.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "analysis/classic_analysis.h"
#include "analysis/settlement_grid.h"
#include "plot/colour_scale.h"
#include "problem/sublayer_division.h"
#include "support/profile_builder.h"

namespace plot {
namespace {

ValueGrid sampled(double x0, double y0, double spacing, int columns, int rows,
                  const std::function<double(double, double)>& f) {
  ValueGrid grid{x0, y0, spacing, columns, rows, {}};
  for (int j = 0; j < rows; ++j) {
    for (int i = 0; i < columns; ++i) grid.values.push_back(f(x0 + spacing * i, y0 + spacing * j));
  }
  return grid;
}

PlanPoint centroid(const std::vector<PlanPoint>& polygon) {
  PlanPoint sum;
  for (const PlanPoint& p : polygon) sum = {sum.x + p.x, sum.y + p.y};
  const double n = static_cast<double>(polygon.size());
  return {sum.x / n, sum.y / n};
}

bool on_border(const ValueGrid& grid, const PlanPoint& p) {
  const double right = grid.x0 + grid.spacing * (grid.columns - 1);
  const double top = grid.y0 + grid.spacing * (grid.rows - 1);
  const double e = 1e-9;
  return std::fabs(p.x - grid.x0) < e || std::fabs(p.x - right) < e ||
         std::fabs(p.y - grid.y0) < e || std::fabs(p.y - top) < e;
}

// A plane is linear on every triangle: each level is one straight line across
// the grid, exactly where the plane takes that value.
TEST(Contours, APlanesLevelsAreStraightLinesAcrossTheGrid) {
  const auto plane = [](double x, double y) { return 0.3 * x + 0.2 * y + 1.0; };
  const ValueGrid grid = sampled(-5.0, -3.0, 0.5, 21, 13, plane);
  // Levels between the nodes' values and on them (x = 0, y = 0 gives 1.0).
  const std::vector<double> levels = {-0.5, 0.25, 1.0, 1.7, 2.95};
  const auto lines = contour_lines(grid, levels);
  ASSERT_EQ(lines.size(), levels.size());
  for (std::size_t k = 0; k < lines.size(); ++k) {
    SCOPED_TRACE(k);
    const ContourLine& line = lines[k];
    EXPECT_EQ(line.level, levels[k]);
    EXPECT_FALSE(line.closed);
    ASSERT_GE(line.points.size(), 2u);
    EXPECT_TRUE(on_border(grid, line.points.front()));
    EXPECT_TRUE(on_border(grid, line.points.back()));
    for (const PlanPoint& p : line.points) EXPECT_NEAR(plane(p.x, p.y), line.level, 1e-12);
  }
}

// The value 10 - r: each level L is a circle of radius 10 - L, met within the
// error of linear interpolation, a tenth of the spacing here.
TEST(Contours, AConesLevelsAreCirclesOfTheirRadius) {
  const auto cone = [](double x, double y) { return 10.0 - std::hypot(x, y); };
  const double spacing = 0.5;
  const ValueGrid grid = sampled(-8.0, -8.0, spacing, 33, 33, cone);
  const std::vector<double> levels = {3.0, 5.5, 8.0};
  const auto lines = contour_lines(grid, levels);
  ASSERT_EQ(lines.size(), levels.size());
  for (const ContourLine& line : lines) {
    SCOPED_TRACE(line.level);
    EXPECT_TRUE(line.closed);
    EXPECT_GT(line.points.size(), 16u);
    for (const PlanPoint& p : line.points)
      EXPECT_NEAR(std::hypot(p.x, p.y), 10.0 - line.level, spacing / 10.0);
  }
}

double signed_area(const std::vector<PlanPoint>& ring) {
  double twice = 0.0;
  for (std::size_t k = 0; k < ring.size(); ++k) {
    const PlanPoint& a = ring[k];
    const PlanPoint& b = ring[(k + 1) % ring.size()];
    twice += a.x * b.y - b.x * a.y;
  }
  return twice / 2.0;
}

double region_area(const std::vector<std::vector<PlanPoint>>& rings) {
  double area = 0.0;
  for (const auto& ring : rings) area += signed_area(ring);
  return area;
}

// The grid's rectangle cut by the half-plane a x + b y + c >= level.
double half_plane_area(double left, double bottom, double right, double top, double a, double b,
                       double c, double level) {
  std::vector<PlanPoint> polygon = {{left, bottom}, {right, bottom}, {right, top}, {left, top}};
  std::vector<PlanPoint> kept;
  const auto value = [&](const PlanPoint& p) { return a * p.x + b * p.y + c - level; };
  for (std::size_t k = 0; k < polygon.size(); ++k) {
    const PlanPoint& p = polygon[k];
    const PlanPoint& q = polygon[(k + 1) % polygon.size()];
    if (value(p) >= 0) kept.push_back(p);
    if ((value(p) >= 0) != (value(q) >= 0)) {
      const double f = value(p) / (value(p) - value(q));
      kept.push_back({p.x + (q.x - p.x) * f, p.y + (q.y - p.y) * f});
    }
  }
  return kept.size() < 3 ? 0.0 : signed_area(kept);
}

// The region above a level, ringed counter-clockwise round what it holds and
// clockwise round its holes, covers the area the level leaves above it.
TEST(Contours, TheRegionAboveALevelHasTheAreaAboveIt) {
  const double pi = std::acos(-1.0);
  const auto plane = [](double x, double y) { return 0.3 * x + 0.2 * y + 1.0; };
  const ValueGrid flat = sampled(-8.0, -6.0, 0.5, 33, 25, plane);
  for (const double level : {-2.0, 0.0, 1.0, 2.5, 4.0}) {
    SCOPED_TRACE(level);
    EXPECT_NEAR(region_area(region_at_least(flat, level)),
                half_plane_area(-8, -6, 8, 6, 0.3, 0.2, 1.0, level), 1e-9);
  }
  // Below every node the whole grid; above every node nothing.
  EXPECT_NEAR(region_area(region_at_least(flat, -100.0)), 16.0 * 12.0, 1e-9);
  EXPECT_TRUE(region_at_least(flat, 100.0).empty());

  // A cone: a disc of radius 3 about the centre.
  const ValueGrid cone =
      sampled(-8.0, -8.0, 0.25, 65, 65, [](double x, double y) { return 10.0 - std::hypot(x, y); });
  const auto disc = region_at_least(cone, 7.0);
  ASSERT_EQ(disc.size(), 1u);
  EXPECT_NEAR(region_area(disc), pi * 9.0, pi * 9.0 * 0.01);

  // A ring-shaped ridge at radius 5: a ring of 4 to 6, an outer ring round it
  // and a hole.
  const ValueGrid ridge = sampled(-8.0, -8.0, 0.25, 65, 65, [](double x, double y) {
    return -std::fabs(std::hypot(x, y) - 5.0);
  });
  const auto annulus = region_at_least(ridge, -1.0);
  ASSERT_EQ(annulus.size(), 2u);
  EXPECT_NEAR(region_area(annulus), pi * (36.0 - 16.0), pi * 20.0 * 0.01);
  EXPECT_LT(std::min(signed_area(annulus[0]), signed_area(annulus[1])), 0.0);
}

// Where the value crosses the grid's border, the region takes the border's
// stretch above the level: its area shrinks as the level rises.
TEST(Contours, RegionsOfRisingLevelsShrink) {
  const ValueGrid waves = sampled(-8.0, -6.0, 0.5, 33, 25,
                                  [](double x, double y) { return std::sin(x) * std::cos(y); });
  double previous = 16.0 * 12.0;
  for (double level = -0.9; level < 1.0; level += 0.2) {
    SCOPED_TRACE(level);
    const double area = region_area(region_at_least(waves, level));
    EXPECT_LT(area, previous);
    EXPECT_GT(area, 0.0);
    previous = area;
  }
}

// A saddle cell, high at two opposite corners: its centre (the average, 0.5)
// decides which corners the lines join.
TEST(Contours, ASaddleIsResolvedByTheCentresAverage) {
  // a = (0, 0) and c = (1, 1) are 1; b = (1, 0) and d = (0, 1) are 0.
  const ValueGrid grid{0.0, 0.0, 1.0, 2, 2, {1.0, 0.0, 0.0, 1.0}};
  const struct {
    int line;
    double level;
    // Whether each line keeps a high corner apart (it cuts off a or c) or a low one.
    bool cuts_off_high_corners;
  } cases[] = {
      {__LINE__, 0.75, true},   // centre below: a and c stand apart as two peaks
      {__LINE__, 0.25, false},  // centre above: a ridge from a to c, b and d apart
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const auto lines = contour_lines(grid, std::vector<double>{c.level});
    ASSERT_EQ(lines.size(), 2u);
    for (const ContourLine& line : lines) {
      const PlanPoint middle = centroid(line.points);
      const bool near_a_or_c = (middle.x < 0.5) == (middle.y < 0.5);
      EXPECT_EQ(near_a_or_c, c.cuts_off_high_corners);
    }
  }
}

// One circle of diameter 8 on one layer: the settlement depends on the
// distance from the centre alone, so every contour of its grid, worked out by
// the analysis at each node, is a circle: its radius varies by less than a
// cell, and lies within a cell of the radius where the settlement, analysed
// along a ray from the centre, falls to the contour's level.
TEST(Contours, ASingleCirclesGridGivesCircularContours) {
  problem::ProblemData problem;
  problem::set_unit_system(problem, problem::kUsGravitational);
  problem.layer_count = 1;
  problem.layers[1] = {1, 10.0f, 120.0f, 1, 1.0f};
  problem.boundary_depths[1] = 10.0f;
  problem.curve_count = 1;
  problem.curves[1].slope = 0.05f;
  problem.area_count = 1;
  problem.areas[1].shape = problem::kCircle;
  problem.areas[1].x_length = 8.0f;
  problem.areas[1].loading = 2.0f;
  const site::Project project = problem::to_project(problem).project;
  const analysis::ClassicProfile profile = analysis::prepare_classic(project).profile;
  const analysis::PlanGrid nodes = analysis::plan_grid(project, 0.5);
  const std::vector<float> totals = analysis::settlement_on_grid(project, profile, nodes, 1);
  ValueGrid grid{nodes.x0, nodes.y0, nodes.spacing, nodes.columns, nodes.rows, {}};
  for (const float t : totals) grid.values.push_back(static_cast<double>(t));

  const auto [least, most] = std::minmax_element(grid.values.begin(), grid.values.end());
  const std::vector<double> levels = contour_levels(make_contour_scale(*least, *most));
  ASSERT_GE(levels.size(), 7u);
  const std::int32_t start_sublayer = analysis::classic_start_sublayer(project, 1);
  const auto along_ray = [&](double r) {
    return static_cast<double>(
        analysis::settlement_at(profile, static_cast<float>(r), 0.0f, start_sublayer));
  };
  int circles = 0;
  for (const ContourLine& line : contour_lines(grid, levels)) {
    SCOPED_TRACE(line.level);
    if (!line.closed) continue;  // a low level may leave the grid at its corners
    double smallest = 1e300, largest = 0.0;
    for (const PlanPoint& p : line.points) {
      smallest = std::min(smallest, std::hypot(p.x, p.y));
      largest = std::max(largest, std::hypot(p.x, p.y));
    }
    EXPECT_LT(largest - smallest, nodes.spacing);
    // The settlement falls with the distance: halve the bracket to 1/1000 ft.
    double inside = 0.0, outside = 12.0;
    ASSERT_GT(along_ray(inside), line.level);
    ASSERT_LT(along_ray(outside), line.level);
    while (outside - inside > 1e-3) {
      const double middle = (inside + outside) / 2;
      (along_ray(middle) >= line.level ? inside : outside) = middle;
    }
    EXPECT_GT(smallest, inside - nodes.spacing);
    EXPECT_LT(largest, outside + nodes.spacing);
    ++circles;
  }
  EXPECT_GE(circles, 6);
}

TEST(ContourScale, PutsAboutTenRoundLevelsOverTheRange) {
  const struct {
    int line;
    double smallest, largest, step;
  } cases[] = {
      {__LINE__, 0.0, 1.724, 0.2},   // sample: 0.2 .. 1.6
      {__LINE__, 0.05, 4.405, 0.5},  // 0.5 .. 4.0
      {__LINE__, -20.0, 188.157, 20.0},
      {__LINE__, 0.0, 13.0, 1.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const ColourScale scale = make_contour_scale(c.smallest, c.largest);
    EXPECT_DOUBLE_EQ(scale.step, c.step);
    const auto levels = contour_levels(scale);
    EXPECT_GE(levels.size(), 7u);
    EXPECT_LE(levels.size(), 14u);
    EXPECT_LE(scale.low, c.smallest);
    EXPECT_GE(scale.high(), c.largest);
    for (const double level : levels)
      EXPECT_EQ(level, band_of(scale, level) * scale.step + scale.low);
  }
}

}  // namespace
}  // namespace plot
