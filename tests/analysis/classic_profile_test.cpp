#include "analysis/classic_profile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>
#include <memory>

#include "problem/sublayer_division.h"
#include "support/profile_builder.h"

namespace analysis {
namespace {

using testing_support::classic_profile_of;
using testing_support::LayerGiven;
using testing_support::make_profile;

TEST(SublayerDivision, CountsWholeHalfUnitsOfALayer) {
  const struct {
    int line;
    float thickness;
    std::int32_t expected;
  } kCases[] = {
      {__LINE__, 3.0f, 6},  {__LINE__, 3.25f, 6}, {__LINE__, 3.5f, 7}, {__LINE__, 3.75f, 7},
      {__LINE__, 0.5f, 1},  {__LINE__, 0.49f, 0}, {__LINE__, 0.4f, 0}, {__LINE__, 0.0f, 0},
      {__LINE__, -2.0f, 0}, {__LINE__, 1.0f, 2},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.line);
    auto problem = make_profile({{c.thickness, 120.0f, 1}});
    EXPECT_EQ(problem::count_sublayers(*problem), c.expected);
    const ClassicProfile profile = classic_profile_of(*problem);
    EXPECT_EQ(profile.sublayer_count(), c.expected);
  }
}

TEST(SublayerDivision, RemainderIsDroppedAndBottomsRunOnFromTheSurface) {
  auto problem = make_profile({{1.3f, 110.0f, 1}, {3.3f, 125.0f, 2}});
  const ClassicProfile profile = classic_profile_of(*problem);
  ASSERT_EQ(profile.sublayer_count(), 6);
  const float kBottoms[] = {0.5f, 1.0f, 1.5f, 2.0f, 2.5f, 3.0f};
  for (int s = 1; s <= 6; ++s) {
    SCOPED_TRACE(s);
    const ClassicSublayer& sublayer = profile.sublayers[s];
    EXPECT_EQ(sublayer.sublayer_number, s);
    EXPECT_EQ(sublayer.bottom_depth, kBottoms[s - 1]);
    const bool in_layer_1 = s <= 2;
    EXPECT_EQ(sublayer.curve_index, in_layer_1 ? 1 : 2);
    EXPECT_EQ(sublayer.unit_weight, in_layer_1 ? 110.0f : 125.0f);
    EXPECT_EQ(sublayer.thickness_factor, 1.0f);
  }
}

TEST(SublayerDivision, SampleProblemHasEightAndTwelveSublayers) {
  auto problem = make_profile({{4.0f, 120.0f, 1}, {10.0f, 115.0f, 2}});
  const ClassicProfile profile = classic_profile_of(*problem);
  ASSERT_EQ(profile.sublayer_count(), 20);
  EXPECT_EQ(profile.sublayers[8].curve_index, 1);
  EXPECT_EQ(profile.sublayers[9].curve_index, 2);
  EXPECT_EQ(profile.stress_depths[41], 10.0f);
}

TEST(SublayerDivision, NoLayersGiveOneStressDepthAtTheSurface) {
  auto problem = make_profile({});
  EXPECT_EQ(problem::count_sublayers(*problem), 0);
  const ClassicProfile profile = classic_profile_of(*problem);
  EXPECT_EQ(profile.sublayer_count(), 0);
  EXPECT_EQ(profile.stress_depths[1], 0.0f);
}

TEST(SublayerGeometry, StressDepthsAreTopsCentresAndTheLastBottom) {
  auto problem = make_profile({{1.5f, 120.0f, 1}});
  const ClassicProfile profile = classic_profile_of(*problem);
  ASSERT_EQ(profile.sublayer_count(), 3);
  const float kDepths[] = {0.0f, 0.25f, 0.5f, 0.75f, 1.0f, 1.25f, 1.5f};
  for (int k = 1; k <= 7; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(profile.stress_depths[k], kDepths[k - 1]);
  }
  for (int s = 1; s <= 3; ++s) {
    SCOPED_TRACE(s);
    const ClassicSublayer& sublayer = profile.sublayers[s];
    EXPECT_EQ(sublayer.thickness, 0.5f);
    EXPECT_EQ(sublayer.centre_depth, kDepths[2 * s - 1]);
  }
}

TEST(OverburdenPressure, IsTheWeightAboveEachSublayerCentre) {
  // S.I. weights are stored as mass densities, kN/m3 x 101.972.
  const float kSiDensity = 18.0f * 101.972f;
  const struct {
    int line;
    std::int32_t units;
    float unit_weight;
    float first;
    float second;
  } kCases[] = {
      {__LINE__, problem::kUsGravitational, 120.0f, 0.030f, 0.090f},
      {__LINE__, problem::kSiAbsolute, kSiDensity, 4.500f, 13.500f},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.line);
    auto problem = make_profile({{3.0f, c.unit_weight, 1}}, c.units);
    const ClassicProfile profile = classic_profile_of(*problem);
    // Table 2 shows three decimals.
    EXPECT_NEAR(profile.sublayers[1].overburden_pressure, c.first, 0.0002);
    EXPECT_NEAR(profile.sublayers[2].overburden_pressure, c.second, 0.0002);
  }
}

TEST(OverburdenPressure, LongProfileGathersNoSinglePrecisionDrift) {
  // 775 sublayers of 120 lb/ft3: the last centre lies under 387.25 ft of soil,
  // 46.47 kips/ft2. A single-precision running total is 2.7e-4 off.
  auto problem = make_profile({{387.5f, 120.0f, 1}});
  const ClassicProfile profile = classic_profile_of(*problem);
  ASSERT_EQ(profile.sublayer_count(), problem::kMaxSublayers);
  EXPECT_NEAR(profile.sublayers[problem::kMaxSublayers].overburden_pressure, 46.47, 1.0e-5);
  EXPECT_EQ(profile.stress_depths[2 * problem::kMaxSublayers + 1], 387.5f);
}

TEST(InitialStrain, ComesFromTheSublayerCurveAtItsOverburden) {
  auto problem = make_profile({{1.0f, 120.0f, 1}, {2.0f, 120.0f, 2}, {3.0f, 120.0f, 7}});
  problem->curve_count = 2;
  // Point curve whose first pressure is the first sublayer's overburden (0.03).
  problem::CompressibilityCurve& points = problem->curves[1];
  points.point_count = 2;
  points.strain[1] = 0.01f;
  points.pressure[1] = 0.03f;
  points.strain[2] = 0.05f;
  points.pressure[2] = 0.3f;
  problem->curves[2].point_count = 0;
  problem->curves[2].slope = 0.025f;
  const ClassicProfile profile = classic_profile_of(*problem);

  ASSERT_EQ(profile.sublayers[1].overburden_pressure, 0.03f);
  EXPECT_EQ(profile.sublayers[1].initial_strain, 0.01f);  // exact, no interpolation
  // 0.09 is log10(3) of the decade from 0.03: 0.01 + 0.04 x 0.4771.
  EXPECT_NEAR(profile.sublayers[2].initial_strain, 0.029085, 1e-6);
  EXPECT_EQ(profile.sublayers[3].initial_strain, 0.0f);  // slope line
  EXPECT_EQ(profile.sublayers[5].initial_strain, 0.0f);  // curve 7 was not read
}

}  // namespace
}  // namespace analysis
