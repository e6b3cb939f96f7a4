#include "analysis/compressibility.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <utility>

namespace analysis {
namespace {

// A point curve of (strain %, pressure) points, strains stored as fractions.
ClassicCurve point_curve(std::initializer_list<std::pair<float, float>> points) {
  ClassicCurve curve;
  for (const auto& [percent, pressure] : points) {
    ++curve.point_count;
    curve.strain.push_back(percent / 100.0f);
    curve.pressure.push_back(pressure);
  }
  return curve;
}

TEST(StrainLookup, ReadsTheCurveInEachOfItsFourCases) {
  const auto two_points = point_curve({{2.0f, 1.0f}, {6.0f, 10.0f}});
  const auto three_points = point_curve({{1.0f, 0.5f}, {3.0f, 2.0f}, {8.0f, 8.0f}});
  const struct {
    int line;
    const ClassicCurve& curve;
    float pressure;
    double expected;
    double tolerance;
    LookupCase lookup_case;
  } kCases[] = {
      // sqrt(10) is half a decade above the first point: halfway in strain.
      {__LINE__, two_points, 3.1623f, 0.04, 1e-6, LookupCase::kInterpolated},
      {__LINE__, two_points, 1.0f, 0.02, 1e-8, LookupCase::kExact},
      {__LINE__, two_points, 0.5f, 0.02, 1e-8, LookupCase::kBelow},
      {__LINE__, two_points, 10.0f, 0.06, 1e-8, LookupCase::kExact},
      {__LINE__, two_points, 2.0f, 0.02 + 0.04 * 0.30103, 1e-6, LookupCase::kInterpolated},
      // The last segment goes on at 4 % per decade.
      {__LINE__, two_points, 100.0f, 0.10, 1e-6, LookupCase::kAbove},
      {__LINE__, two_points, 1000.0f, 0.14, 1e-6, LookupCase::kAbove},
      // 1.0 is half of the log distance from 0.5 to 2.0; 4.0 half of 2.0 to 8.0.
      {__LINE__, three_points, 1.0f, 0.02, 1e-7, LookupCase::kInterpolated},
      {__LINE__, three_points, 4.0f, 0.055, 1e-7, LookupCase::kInterpolated},
      {__LINE__, three_points, 2.0f, 0.03, 1e-8, LookupCase::kExact},
      {__LINE__, three_points, 32.0f, 0.13, 1e-6, LookupCase::kAbove},
      {__LINE__, three_points, 0.0f, 0.01, 1e-8, LookupCase::kBelow},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.line);
    const StrainLookup result = strain_at(c.curve, c.pressure);
    EXPECT_NEAR(result.strain, c.expected, c.tolerance);
    EXPECT_EQ(result.lookup_case, c.lookup_case);
  }
}

TEST(StrainLookup, ExactPressureGivesTheStoredStrainBitForBit) {
  const auto curve = point_curve({{1.0f, 0.5f}, {3.0f, 2.0f}, {8.0f, 8.0f}});
  for (int m = 1; m <= 3; ++m) {
    SCOPED_TRACE(m);
    EXPECT_EQ(strain_at(curve, curve.pressure[m]).strain, curve.strain[m]);
  }
}

TEST(StrainLookup, InterpolationIsRoundedOnceFromDoublePrecision) {
  // Carried in single precision the value at sqrt(10) lands one unit in the
  // last place high; in double it is the nearest single to the true strain.
  const auto curve = point_curve({{2.0f, 1.0f}, {6.0f, 10.0f}});
  for (const float pressure : {3.1623f, 2.0f, 5.0f, 7.0f, 1.5f}) {
    SCOPED_TRACE(pressure);
    const long double exact = std::log10(static_cast<long double>(pressure)) *
                                  (static_cast<long double>(curve.strain[2]) -
                                   static_cast<long double>(curve.strain[1])) +
                              static_cast<long double>(curve.strain[1]);
    EXPECT_EQ(strain_at(curve, pressure).strain, static_cast<float>(exact));
  }
}

TEST(StrainLookup, AboveALastSegmentThatDoesNotRiseTakesTheLastStrain) {
  const struct {
    int line;
    ClassicCurve curve;
  } kCases[] = {
      {__LINE__, point_curve({{2.0f, 1.0f}, {6.0f, 10.0f}, {7.0f, 10.0f}})},
      {__LINE__, point_curve({{2.0f, 1.0f}, {6.0f, 10.0f}, {7.0f, 5.0f}})},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.line);
    const StrainLookup result = strain_at(c.curve, 20.0f);
    EXPECT_EQ(result.strain, 0.07f);
    EXPECT_EQ(result.lookup_case, LookupCase::kAbove);
  }
}

TEST(CurveKind, FewerThanTwoPointsIsASlopeLine) {
  ClassicCurve curve;
  for (const std::int32_t count : {-3, 0, 1}) {
    curve.point_count = count;
    EXPECT_TRUE(is_slope_line(curve)) << count;
  }
  for (const std::int32_t count : {2, 48}) {
    curve.point_count = count;
    EXPECT_FALSE(is_slope_line(curve)) << count;
  }
}

TEST(CurveKind, PositionsNotReadOrOutsideTheTableAreFlatSlopeLines) {
  ClassicProfile problem;
  problem.curves.push_back(point_curve({{2.0f, 1.0f}, {6.0f, 10.0f}}));
  EXPECT_EQ(&curve_of(problem, 1), &problem.curves[1]);
  for (const std::int32_t index : {2, 50, 0, -1, 51}) {
    SCOPED_TRACE(index);
    const ClassicCurve& curve = curve_of(problem, index);
    EXPECT_TRUE(is_slope_line(curve));
    EXPECT_EQ(curve.slope, 0.0f);
  }
}

}  // namespace
}  // namespace analysis
