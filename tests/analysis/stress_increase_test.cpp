#include "analysis/stress_increase.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "analysis/analysis_results.h"
#include "loads/rectangle.h"
#include "support/profile_builder.h"

namespace analysis {
namespace {

const double kPi = 4.0 * std::atan(1.0);

// A problem with `sublayer_count` sublayers below the ground surface, whose
// stress depths are therefore 0, 0.25, 0.5, ...
std::unique_ptr<problem::ProblemData> make_problem(int sublayer_count) {
  return testing_support::make_profile({{0.5f * static_cast<float>(sublayer_count), 120.0f, 1}});
}

int stress_depth_index(float depth) { return static_cast<int>(std::lround(depth / 0.25f)) + 1; }

void add_point(problem::ProblemData& p, float x, float y) {
  ++p.point_count;
  p.points[p.point_count].x = x;
  p.points[p.point_count].y = y;
}

problem::LoadedArea& add_area(problem::ProblemData& p, std::int32_t shape, float x, float y,
                              float x_length, float y_length, float loading) {
  problem::LoadedArea& area = shape == problem::kSpreadArea
                                  ? p.areas[p.area_count + ++p.spread_area_count]
                                  : p.areas[++p.area_count];
  area.shape = shape;
  area.x = x;
  area.y = y;
  area.x_length = x_length;
  area.y_length = y_length;
  area.loading = loading;
  return area;
}

// The stress increase below every point of `p`.
std::unique_ptr<AnalysisResults> run(const problem::ProblemData& p) {
  auto results = std::make_unique<AnalysisResults>();
  const ClassicProfile profile = testing_support::classic_profile_of(p);
  results->stress_increase.resize(p.point_count);
  for (int j = 1; j <= p.point_count; ++j) {
    stress_increase_at(profile, p.points[j].x, p.points[j].y, results->stress_increase[j]);
  }
  return results;
}

loads::RectangleGeometry rectangle_geometry(const problem::LoadedArea& area) {
  return loads::rectangle_geometry(area.x, area.y, area.x_length, area.y_length, area.area_slope);
}

// Boussinesq's point-load stress integrated by the midpoint rule over the
// rectangle |u| <= a, |v| <= b, for a point at local (pu, pv) and depth z.
double numerical_rectangle_stress(double a, double b, double pu, double pv, double z) {
  const int n = 300;
  const double du = 2.0 * a / n;
  const double dv = 2.0 * b / n;
  double sum = 0.0;
  for (int i = 0; i < n; ++i) {
    const double x = -a + (i + 0.5) * du - pu;
    for (int j = 0; j < n; ++j) {
      const double y = -b + (j + 0.5) * dv - pv;
      const double r_sq = x * x + y * y + z * z;
      sum += 3.0 * z * z * z / (2.0 * kPi * r_sq * r_sq * std::sqrt(r_sq));
    }
  }
  return sum * du * dv;
}

// Rectangle 4 along x by 2 along y centred at the origin.
TEST(RectanglePosition, NamesTheSidesThePointLiesBeyond) {
  problem::LoadedArea area;
  area.x_length = 4.0f;
  area.y_length = 2.0f;
  struct Case {
    int line;
    double u, v;
    int expected;
  } cases[] = {
      {__LINE__, 3.0, 0.0, 1},   {__LINE__, 0.0, 2.0, 2},   {__LINE__, 3.0, 2.0, 3},
      {__LINE__, -3.0, 2.0, 4},  {__LINE__, 0.0, -2.0, 5},  {__LINE__, 3.0, -2.0, 6},
      {__LINE__, -3.0, -2.0, 7}, {__LINE__, -3.0, 0.0, 8},  {__LINE__, 0.5, 0.3, 9},
      {__LINE__, 2.0, 0.0, 9},   {__LINE__, 2.0, 1.0, 9},   {__LINE__, 2.02, 0.0, 9},
      {__LINE__, 2.03, 0.0, 1},  {__LINE__, 0.0, 1.03, 2},  {__LINE__, 2.03, 1.03, 3},
      {__LINE__, -2.03, 0.0, 8}, {__LINE__, 0.0, -1.03, 5},
  };
  for (double slope : {0.0, 0.75, -2.0}) {
    area.area_slope = static_cast<float>(slope);
    const loads::RectangleGeometry geometry = rectangle_geometry(area);
    const double c = 1.0 / std::sqrt(1.0 + slope * slope);
    const double t = slope * c;
    for (const Case& k : cases) {
      SCOPED_TRACE(testing::Message() << "line " << k.line << " slope " << slope);
      const float x = static_cast<float>(k.u * c - k.v * t);
      const float y = static_cast<float>(k.u * t + k.v * c);
      EXPECT_EQ(loads::rectangle_distances(geometry, x, y).position_case, k.expected);
    }
  }
}

TEST(RectanglePosition, DistancesAreCutInSinglePrecision) {
  // 10.7 - 5.0 is 5.6999998 in single precision, which cuts to 5.700.
  problem::LoadedArea area;
  area.x = 4.0f;
  area.x_length = 2.0f;
  area.y_length = 2.0f;
  const loads::RectangleDistances d =
      loads::rectangle_distances(rectangle_geometry(area), 10.7f, 0.0f);
  EXPECT_EQ(d.u2, 5.7f);
  EXPECT_EQ(d.u1, 7.7f);
  // Cut, not rounded: 5.7006 is 5.700.
  EXPECT_EQ(loads::rectangle_distances(rectangle_geometry(area), 10.7006f, 0.0f).u2, 5.7f);
}

TEST(CutToFiveDecimals, CutsTowardZero) {
  EXPECT_NEAR(loads::cut_to_five_decimals(0.1234567f), 0.12345f, 1e-8);
  EXPECT_NEAR(loads::cut_to_five_decimals(-0.1234567f), -0.12345f, 1e-8);
  EXPECT_EQ(loads::cut_to_five_decimals(0.000009f), 0.0f);
}

// Rectangle 4 by 2 centred at (10, 20), loading 2.0, at the ground surface:
// the stress depth 0 lies at the loaded level.
TEST(StressIncrease, RectangleAtItsLoadedLevel) {
  struct Case {
    int line;
    float x, y, expected;
  } cases[] = {
      {__LINE__, 10.0f, 20.0f, 2.0f},  // inside
      {__LINE__, 12.0f, 20.0f, 1.0f},  // on the C2 end
      {__LINE__, 10.0f, 21.0f, 1.0f},  // on the C3-C4 side
      {__LINE__, 12.0f, 21.0f, 0.5f},  // on corner C3
      {__LINE__, 8.0f, 19.0f, 0.5f},   // on corner C1
      {__LINE__, 12.1f, 20.0f, 0.0f},  // outside
      {__LINE__, 10.0f, 18.9f, 0.0f},
      {__LINE__, 12.03f, 20.0f, 1.0f},  // just outside, in case 1
      {__LINE__, 10.0f, 21.04f, 1.0f},  // just outside, in case 2
      {__LINE__, 12.02f, 20.0f, 1.0f},  // counted as inside
      // Exactly 0.05 beyond the end is still on it: the corner rectangles
      // that reach past the end carry nothing.
      {__LINE__, 12.05f, 20.0f, 1.0f},
      // 0.0504 beyond is cut to 0.050 first, and is on the end as well.
      {__LINE__, 12.0504f, 20.0f, 1.0f},
      {__LINE__, 10.0f, 21.0504f, 1.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    auto p = make_problem(2);
    add_area(*p, problem::kRectangle, 10.0f, 20.0f, 4.0f, 2.0f, 2.0f);
    add_point(*p, c.x, c.y);
    EXPECT_FLOAT_EQ(run(*p)->stress_increase[1][1], c.expected);
  }
}

// Every distance is cut toward zero at the third decimal, which can pull two
// sides of the area in by 0.001: near a side at shallow depth that is worth
// about 0.0013 of the loading, hence the tolerance of 0.002.
TEST(StressIncrease, RectangleAgreesWithNumericalIntegration) {
  struct Case {
    int line;
    double u, v;
  } cases[] = {
      {__LINE__, 0.5, 0.3},   {__LINE__, -1.75, 0.75},                         // inside
      {__LINE__, 3.0, 0.5},   {__LINE__, 0.4, 1.6},    {__LINE__, 3.0, 2.0},   // cases 1 2 3
      {__LINE__, -2.6, 1.4},  {__LINE__, 0.0, -1.5},   {__LINE__, 2.8, -1.6},  // cases 4 5 6
      {__LINE__, -2.5, -1.7}, {__LINE__, -2.7, 0.2},                           // cases 7 8
  };
  const double loading = 100.0;
  for (double slope : {0.0, 0.75, -2.0}) {
    const double c = 1.0 / std::sqrt(1.0 + slope * slope);
    const double t = slope * c;
    for (const Case& k : cases) {
      SCOPED_TRACE(testing::Message() << "line " << k.line << " slope " << slope);
      auto p = make_problem(6);
      add_area(*p, problem::kRectangle, 5.0f, -3.0f, 4.0f, 2.0f, static_cast<float>(loading))
          .area_slope = static_cast<float>(slope);
      add_point(*p, static_cast<float>(5.0 + k.u * c - k.v * t),
                static_cast<float>(-3.0 + k.u * t + k.v * c));
      auto results = run(*p);
      for (double z : {0.5, 1.0, 2.5}) {
        const double expected = loading * numerical_rectangle_stress(2.0, 1.0, k.u, k.v, z);
        const int k_index = stress_depth_index(static_cast<float>(z));
        EXPECT_NEAR(results->stress_increase[1][k_index], expected, 2e-3 * loading) << "z " << z;
      }
    }
  }
}

TEST(StressIncrease, RotatedRectangleMatchesUnrotated) {
  // slope 0.75 turns the area's X side by the angle with cosine 0.8, sine 0.6.
  const float local[][2] = {{0.7f, -0.4f}, {2.6f, 0.2f}, {-3.1f, 1.8f}, {1.2f, -1.6f}};
  for (const auto& uv : local) {
    SCOPED_TRACE(testing::Message() << "u " << uv[0] << " v " << uv[1]);
    auto plain = make_problem(8);
    add_area(*plain, problem::kRectangle, 0.0f, 0.0f, 4.0f, 2.0f, 1.0f);
    add_point(*plain, uv[0], uv[1]);
    auto turned = make_problem(8);
    add_area(*turned, problem::kRectangle, 0.0f, 0.0f, 4.0f, 2.0f, 1.0f).area_slope = 0.75f;
    add_point(*turned, uv[0] * 0.8f - uv[1] * 0.6f, uv[0] * 0.6f + uv[1] * 0.8f);
    auto expected = run(*plain);
    auto actual = run(*turned);
    for (int k = 1; k <= 17; ++k) {
      EXPECT_NEAR(actual->stress_increase[1][k], expected->stress_increase[1][k], 1e-3) << k;
    }
  }
}

TEST(StressIncrease, NothingAboveTheLoadedLevel) {
  auto p = make_problem(4);
  add_area(*p, problem::kRectangle, 0.0f, 0.0f, 4.0f, 4.0f, 3.0f).elevation = 1.0f;
  add_area(*p, problem::kCircle, 0.0f, 0.0f, 4.0f, 0.0f, 5.0f).elevation = 1.0f;
  add_point(*p, 0.0f, 0.0f);
  auto results = run(*p);
  for (int k = 1; k <= 4; ++k) EXPECT_EQ(results->stress_increase[1][k], 0.0f) << k;
  EXPECT_FLOAT_EQ(results->stress_increase[1][5], 8.0f);  // both areas at their level
  EXPECT_GT(results->stress_increase[1][9], 0.0f);

  auto deep = make_problem(4);  // loaded below the last stress depth, 2.0
  add_area(*deep, problem::kRectangle, 0.0f, 0.0f, 4.0f, 4.0f, 7.0f).elevation = 2.5f;
  add_area(*deep, problem::kCircle, 0.0f, 0.0f, 4.0f, 0.0f, 7.0f).elevation = 2.5f;
  add_point(*deep, 0.0f, 0.0f);
  auto none = run(*deep);
  for (int k = 1; k <= 9; ++k) EXPECT_EQ(none->stress_increase[1][k], 0.0f) << k;
}

TEST(StressIncrease, CircleSnapsToTheRimAndTheLoadedLevel) {
  auto p = make_problem(4);
  // The stress depth 0.25 lies 0.000001 above the loaded level: taken as at it.
  add_area(*p, problem::kCircle, 0.0f, 0.0f, 2.0f, 0.0f, 10.0f).elevation = 0.250001f;
  add_point(*p, 1.000005f, 0.0f);  // on the rim to within 0.00001
  add_point(*p, 1.00002f, 0.0f);   // outside
  add_point(*p, 0.5f, 0.0f);
  auto results = run(*p);
  EXPECT_FLOAT_EQ(results->stress_increase[1][2], 5.0f);
  EXPECT_FLOAT_EQ(results->stress_increase[2][2], 0.0f);
  EXPECT_FLOAT_EQ(results->stress_increase[3][2], 10.0f);
  // One unit below the loaded level the ratio 0.56222 of the unit circle, cut.
  EXPECT_NEAR(results->stress_increase[3][6], 5.6222f, 1e-5);
}

TEST(StressIncrease, SpreadAreaSkipsTheFirstLoadedDepth) {
  auto p = make_problem(5);
  problem::LoadedArea& spread = add_area(*p, problem::kSpreadArea, 0.0f, 0.0f, 2.0f, 2.0f, 100.0f);
  spread.depth_reference = 1;
  spread.elevation = 1.0f;  // the footprint still grows from upper_depth 0
  add_point(*p, 0.0f, 0.0f);
  add_point(*p, 2.0f, 0.0f);  // reached by the footprint at depth 2.0
  auto results = run(*p);
  const auto& centre = results->stress_increase[1];
  for (int k = 1; k <= 6; ++k) EXPECT_EQ(centre[k], 0.0f) << k;  // to depth 1.25
  EXPECT_FLOAT_EQ(centre[7], 100.0f / (3.5f * 3.5f));
  EXPECT_FLOAT_EQ(centre[9], 100.0f / (4.0f * 4.0f));
  const auto& side = results->stress_increase[2];
  for (int k = 1; k <= 9; ++k) EXPECT_EQ(side[k], 0.0f) << k;  // to depth 2.0
  EXPECT_FLOAT_EQ(side[10], 100.0f / (4.25f * 4.25f));
}

TEST(StressIncrease, SimpsonAverageStartsAtTheStartSublayer) {
  const ClassicProfile profile = testing_support::classic_profile_of(*make_problem(4));
  // Top, centre and bottom of each sublayer: (4 centre + top + bottom) / 6.
  const float stresses[] = {0.0f, 1.0f, 1.5f, 5.0f, 3.0f, 1.0f, 1.0f, 7.0f, 2.0f, 0.0f};
  StressRow stress(9);
  for (int k = 1; k <= 9; ++k) stress[k] = stresses[k];
  SublayerRow from_third(4);
  SublayerRow every;
  from_third[1] = 9.0f;  // a stale value does not survive
  average_over_sublayers(profile, stress, 3, from_third);
  average_over_sublayers(profile, stress, 0, every);  // 0: every sublayer
  const float expected[] = {0.0f, 2.0f, 3.0f, 2.0f, 2.5f};
  for (int m = 1; m <= 4; ++m) {
    EXPECT_EQ(from_third[m], m < 3 ? 0.0f : expected[m]) << m;
    EXPECT_EQ(every[m], expected[m]) << m;
  }
}

}  // namespace
}  // namespace analysis
