#include "problem/input_checks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string_view>

#include "problem/problem_data.h"
#include "support/record_lines.h"

namespace problem {
namespace {

// A profile with boundaries 0.0, 4.0 and 10.0.
std::unique_ptr<ProblemData> two_layers() {
  auto problem = std::make_unique<ProblemData>();
  problem->layer_count = 2;
  problem->boundary_depths[1] = 4.0f;
  problem->boundary_depths[2] = 10.0f;
  return problem;
}

void add_area(ProblemData& problem, DataErrors& errors, std::string_view id, std::int32_t shape,
              float elevation) {
  const int a = ++problem.area_count;
  LoadedArea& area = problem.areas[a];
  testing_support::set_text(area.area_id, id);
  area.shape = shape;
  area.elevation = elevation;
  check_area(problem, a, 10 + a, errors);
}

TEST(AreaChecks, ListsWrongShapesAndElevationsOffTheBoundaries) {
  struct Case {
    int line;
    std::int32_t shape;
    float elevation;
    bool shape_error;
    bool boundary_error;
  };
  const Case cases[] = {
      {__LINE__, 1, 0.0f, false, false},
      {__LINE__, 2, 10.0f, false, false},
      {__LINE__, 1, -0.0f, false, false},  // the same value as the ground surface
      {__LINE__, 3, 4.0f, true, false},    // shape 3 belongs to spread areas only
      {__LINE__, 0, 4.0f, true, false},
      {__LINE__, 1, 5.0f, false, true},
      {__LINE__, 2, std::nextafter(4.0f, 5.0f), false, true},
      {__LINE__, 2, std::nextafter(10.0f, 0.0f), false, true},
      {__LINE__, -1, 7.0f, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    auto problem = two_layers();
    DataErrors errors;
    add_area(*problem, errors, "X", c.shape, c.elevation);
    EXPECT_EQ(errors.wrong_shape.size(), c.shape_error ? 1u : 0u);
    EXPECT_EQ(errors.off_boundary.size(), c.boundary_error ? 1u : 0u);
    EXPECT_EQ(has_data_errors(errors), c.shape_error || c.boundary_error);
  }
}

TEST(AreaChecks, ListedAreasCarryTheirPositionIdentifierValuesAndLine) {
  auto problem = two_layers();
  DataErrors errors;
  add_area(*problem, errors, "A1", 1, 0.0f);
  add_area(*problem, errors, "B22", 4, 3.0f);
  ASSERT_EQ(errors.wrong_shape.size(), 1u);
  ASSERT_EQ(errors.off_boundary.size(), 1u);
  for (const ListedArea& listed : {errors.wrong_shape[0], errors.off_boundary[0]}) {
    EXPECT_EQ(listed.position, 2);
    EXPECT_EQ(listed.area_id.view(), "B22 ");
    EXPECT_EQ(listed.shape, 4);
    EXPECT_EQ(listed.elevation, 3.0f);
    EXPECT_EQ(listed.line, 12);
  }
}

TEST(AreaChecks, OnlyTheGroundSurfaceWithoutLayersAndNothingWithANegativeCount) {
  auto problem = std::make_unique<ProblemData>();
  DataErrors errors;
  add_area(*problem, errors, "A", 1, 0.0f);
  EXPECT_TRUE(errors.off_boundary.empty());
  problem->layer_count = -1;
  add_area(*problem, errors, "B", 1, 0.0f);
  ASSERT_EQ(errors.off_boundary.size(), 1u);
  EXPECT_EQ(errors.off_boundary[0].position, 2);
}

TEST(AreaChecks, EveryAreaOfAFullTableCanBeListed) {
  auto problem = std::make_unique<ProblemData>();
  DataErrors errors;
  for (int a = 1; a <= kMaxAreas; ++a) add_area(*problem, errors, "Z", 5, 1.0f);
  EXPECT_EQ(errors.wrong_shape.size(), static_cast<std::size_t>(kMaxAreas));
  EXPECT_EQ(errors.off_boundary.size(), static_cast<std::size_t>(kMaxAreas));
}

TEST(LimitChecks, PassAtTheLimitAndFailOneBeyond) {
  auto problem = std::make_unique<ProblemData>();
  problem->layer_count = kMaxLayers;
  problem->curve_count = kMaxCurves;
  problem->point_count = kMaxPoints;
  problem->area_count = kMaxAreas;
  EXPECT_FALSE(check_counts(*problem, 4));
  problem->point_count = kMaxPoints + 1;
  const auto fault = check_counts(*problem, 4);
  ASSERT_TRUE(fault);
  EXPECT_EQ(fault->limit, Limit::kPoints);
  EXPECT_EQ(fault->value, kMaxPoints + 1);
  EXPECT_EQ(fault->line, 4);

  problem->area_count = 100;
  problem->spread_area_count = 50;
  EXPECT_FALSE(check_total_areas(*problem, 9));
  problem->spread_area_count = 51;
  EXPECT_EQ(check_total_areas(*problem, 9)->value, 151);
  // Two counts near the 32-bit limit do not wrap into a small total.
  problem->area_count = std::numeric_limits<std::int32_t>::max();
  problem->spread_area_count = std::numeric_limits<std::int32_t>::max();
  EXPECT_EQ(check_total_areas(*problem, 9)->value, 2 * std::int64_t{0x7fffffff});
}

TEST(PressureCheck, FindsTheFirstPressureThatIsNotPositiveInTableOrder) {
  auto problem = std::make_unique<ProblemData>();
  SourceLines lines;
  problem->curve_count = 3;
  // Curve 1 is a slope line and has no pressures to check.
  problem->curves[1].point_count = 1;
  problem->curves[1].pressure[1] = -1.0f;
  problem->curves[2].point_count = 3;
  problem->curves[2].pressure[1] = 1.0f;
  problem->curves[2].pressure[2] = 2.0f;
  problem->curves[2].pressure[3] = 4.0f;
  problem->curves[3].point_count = 3;
  problem->curves[3].pressure[1] = 1.0f;
  problem->curves[3].pressure[2] = 0.0f;
  problem->curves[3].pressure[3] = -1.0f;
  lines.curve_points[3][2] = 27;
  const auto fault = find_pressure_fault(*problem, lines);
  ASSERT_TRUE(fault);
  EXPECT_EQ(fault->curve, 3);
  EXPECT_EQ(fault->row, 2);
  EXPECT_EQ(fault->pressure, 0.0f);
  EXPECT_EQ(fault->line, 27);
  problem->curves[3].pressure[2] = 2.0f;
  problem->curves[3].pressure[3] = 3.0f;
  EXPECT_FALSE(find_pressure_fault(*problem, lines));
  // A curve past the count is not looked at.
  problem->curves[4].point_count = 2;
  EXPECT_FALSE(find_pressure_fault(*problem, lines));
}

TEST(PressureCheck, OnlyPressuresAboveZeroAreAccepted) {
  const struct {
    int line;
    float pressure;
    bool acceptable;
  } kCases[] = {
      {__LINE__, 1.0f, true},   {__LINE__, 1.0e-30f, true},
      {__LINE__, 0.0f, false},  {__LINE__, -0.0f, false},
      {__LINE__, -1.0f, false}, {__LINE__, std::numeric_limits<float>::quiet_NaN(), false},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.line);
    auto problem = std::make_unique<ProblemData>();
    problem->curve_count = 1;
    problem->curves[1].point_count = 2;
    problem->curves[1].pressure[1] = 0.5f;
    problem->curves[1].pressure[2] = c.pressure;
    EXPECT_EQ(find_pressure_fault(*problem, SourceLines{}).has_value(), !c.acceptable);
  }
}

}  // namespace
}  // namespace problem
