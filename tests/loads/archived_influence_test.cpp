#include "loads/archived_influence.h"

#include <gtest/gtest.h>

#include <cmath>

namespace loads {
namespace {

const double kPi = 4.0 * std::atan(1.0);

// Boussinesq's point-load stress integrated over a uniformly loaded disk of
// radius a, by the midpoint rule in polar coordinates about the disk's centre.
double numerical_circle_ratio(double a, double r, double z) {
  const int n = 400;
  const double d_rho = a / n;
  const double d_theta = kPi / n;
  double sum = 0.0;
  for (int i = 0; i < n; ++i) {
    const double rho = (i + 0.5) * d_rho;
    for (int j = 0; j < 2 * n; ++j) {
      const double theta = (j + 0.5) * d_theta;
      const double dx = rho * std::cos(theta) - r;
      const double dy = rho * std::sin(theta);
      const double r_sq = dx * dx + dy * dy + z * z;
      sum += rho * d_rho * d_theta * 3.0 * z * z * z / (2.0 * kPi * r_sq * r_sq * std::sqrt(r_sq));
    }
  }
  return sum;
}

TEST(CircleStressRatio, MatchesPublishedValues) {
  struct Case {
    int line;
    float a, r, z;
    double expected;
  } cases[] = {
      {__LINE__, 1.0f, 0.0f, 1.0f, 0.64645},  // on the axis
      {__LINE__, 1.0f, 0.5f, 1.0f, 0.56222}, {__LINE__, 1.0f, 2.0f, 1.0f, 0.04181},
      {__LINE__, 1.0f, 1.0f, 0.5f, 0.41748},  // under the rim
      {__LINE__, 1.0f, 3.0f, 0.5f, 0.00101},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_NEAR(circle_stress_ratio(c.a, c.r, c.z), c.expected, 0.5e-5);
  }
}

TEST(CircleStressRatio, AtTheSurfaceIsOneInsideHalfOnTheRimZeroOutside) {
  EXPECT_EQ(circle_stress_ratio(1.0f, 0.0f, 0.0f), 1.0f);
  EXPECT_EQ(circle_stress_ratio(1.0f, 0.5f, 0.0f), 1.0f);
  EXPECT_EQ(circle_stress_ratio(1.0f, 1.0f, 0.0f), 0.5f);
  EXPECT_EQ(circle_stress_ratio(1.0f, 2.0f, 0.0f), 0.0f);
}

TEST(CircleStressRatio, AgreesWithNumericalIntegration) {
  struct Case {
    int line;
    float a, r, z;
  } cases[] = {
      {__LINE__, 2.0f, 1.0f, 1.0f},
      {__LINE__, 1.0f, 0.9f, 0.25f},  // just inside the rim, shallow
      {__LINE__, 1.0f, 1.2f, 0.3f},   // just outside the rim
      {__LINE__, 3.0f, 4.5f, 2.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_NEAR(circle_stress_ratio(c.a, c.r, c.z), numerical_circle_ratio(c.a, c.r, c.z), 1e-4);
  }
}

TEST(RectangleCornerFactor, MatchesNewmarksTable) {
  struct Case {
    int line;
    float m, n;
    double expected;
  } cases[] = {
      {__LINE__, 1.0f, 1.0f, 0.17522},  {__LINE__, 4.0f, 2.0f, 0.23912},
      {__LINE__, 2.0f, 4.0f, 0.23912},  {__LINE__, 0.5f, 0.5f, 0.08403},
      {__LINE__, 1.0f, 2.0f, 0.19994},  {__LINE__, 2.0f, 2.0f, 0.23247},
      {__LINE__, 0.1f, 0.1f, 0.00470},  {__LINE__, 1.0f, 0.5f, 0.12018},
      {__LINE__, 0.0f, 1.0f, 0.0},      {__LINE__, 3.0f, 0.0f, 0.0},
      {__LINE__, 1.0e4f, 1.0e4f, 0.25},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_NEAR(rectangle_corner_factor(c.m, c.n), c.expected, 0.5e-5);
  }
}

TEST(RectangleCornerFactor, ApproachesAQuarterFromBelow) {
  float previous = 0.0f;
  for (float m : {0.5f, 2.0f, 10.0f, 100.0f, 1000.0f}) {
    const float factor = rectangle_corner_factor(m, m);
    EXPECT_GT(factor, previous) << m;
    EXPECT_LE(factor, 0.2500001f) << m;
    previous = factor;
  }
}

TEST(EllipticIntegrals, ZeroAmplitudeGivesZero) {
  const EllipticIntegrals result = elliptic_integrals(0.0, 0.5);
  EXPECT_EQ(result.e, 0.0);
  EXPECT_EQ(result.f, 0.0);
}

TEST(EllipticIntegrals, CompleteIntegralsMatchTables) {
  struct Case {
    int line;
    double m, e, k;
  } cases[] = {
      {__LINE__, 0.0, kPi / 2.0, kPi / 2.0},
      {__LINE__, 0.5, 1.3506438810, 1.8540746773},
      {__LINE__, 0.25, 1.4674622093, 1.6857503548},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const EllipticIntegrals result = elliptic_integrals(kPi / 2.0, c.m);
    EXPECT_NEAR(result.e, c.e, 1e-6);
    EXPECT_NEAR(result.f, c.k, 1e-6);
  }
}

TEST(EllipticIntegrals, ZeroOrdinateAtUnitParameterTakesAHugeReciprocal) {
  const EllipticIntegrals result = elliptic_integrals(kPi / 2.0, 1.0);
  EXPECT_NEAR(result.e, 1.0, 1e-3);  // the integral of cos over a quarter turn
  EXPECT_GT(result.f, 1.0e33);
}

// Area 4 along x by 2 along y, centred at the origin; the factors are
// compared with 1 / ((D + 2)(D + 4)).
TEST(Spread2to1Factor, ChoosesTheReferenceLevelAndFootprint) {
  struct Case {
    int line;
    int option;
    float top, bottom, depth, px, py;
    double d;  // depth below the reference level, or -1 for no factor
  } cases[] = {
      {__LINE__, 2, 0.0f, 10.0f, 6.5f, 0.0f, 0.0f, 0.0},  // 6.667 rounds down to 6.5
      {__LINE__, 2, 0.0f, 10.0f, 8.5f, 0.0f, 0.0f, 2.0},
      {__LINE__, 2, 0.0f, 10.0f, 6.4f, 0.0f, 0.0f, -1.0},
      {__LINE__, 2, 0.0f, 9.0f, 6.0f, 0.0f, 0.0f, 0.0},  // 6.0 stays 6.0
      {__LINE__, 2, 0.0f, 9.0f, 5.5f, 0.0f, 0.0f, -1.0},
      // Two thirds of 9.75 is 6.5 exactly, a whole half unit: it stays 6.5.
      {__LINE__, 2, 0.0f, 9.75f, 6.5f, 0.0f, 0.0f, 0.0},
      {__LINE__, 2, 0.0f, 9.75f, 6.25f, 0.0f, 0.0f, -1.0},
      {__LINE__, 2, 0.0f, 9.75f, 7.0f, 0.0f, 0.0f, 0.5},
      {__LINE__, 1, 2.0f, 9.0f, 2.0f, 0.0f, 0.0f, -1.0},  // at the reference level
      {__LINE__, 1, 2.0f, 9.0f, 3.0f, 0.0f, 0.0f, 1.0},
      {__LINE__, 3, 2.0f, 9.0f, 9.0f, 0.0f, 0.0f, -1.0},
      {__LINE__, 3, 2.0f, 9.0f, 11.0f, 0.0f, 0.0f, 2.0},
      {__LINE__, 3, 2.0f, 9.0f, 11.0f, 3.0f, 2.0f, 2.0},  // on the footprint's corner
      {__LINE__, 3, 2.0f, 9.0f, 11.0f, -3.0f, -2.0f, 2.0},
      {__LINE__, 3, 2.0f, 9.0f, 11.0f, 3.01f, 0.0f, -1.0},
      {__LINE__, 3, 2.0f, 9.0f, 11.0f, 0.0f, -2.01f, -1.0},
      {__LINE__, 2, 0.0f, 9.0f, 6.0f, 2.0f, 1.0f, 0.0},    // outline at the reference level
      {__LINE__, 0, 0.0f, 9.0f, 11.0f, 0.0f, 0.0f, -1.0},  // no such option
      {__LINE__, 4, 0.0f, 9.0f, 11.0f, 0.0f, 0.0f, -1.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const double expected = c.d < 0.0 ? 0.0 : 1.0 / ((c.d + 2.0) * (c.d + 4.0));
    EXPECT_NEAR(
        spread_2to1_factor(c.option, c.top, c.bottom, 2.0f, 4.0f, c.depth, 0.0f, 0.0f, c.px, c.py),
        expected, 1e-7);
  }
}

}  // namespace
}  // namespace loads
