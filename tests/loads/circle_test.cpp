// The circle: published values of the exact solution, its axis and its far
// field, its checks and its outline.
#include "loads/circle.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace loads {
namespace {

TEST(CircleStress, ReproducesTheArchivedCheckValues) {
  // Stress / q under a circle of radius 1 (the archived program's own check
  // values, printed to five decimals; also in Ahlvin and Ulery's 1962 tables).
  struct Value {
    double r, z, ratio;
  };
  const Value values[] = {
      {0.5, 1.0, 0.56222}, {2.0, 1.0, 0.04181}, {1.0, 0.5, 0.41748}, {3.0, 0.5, 0.00101}};
  for (const Value& v : values) {
    SCOPED_TRACE("r = " + std::to_string(v.r) + ", z = " + std::to_string(v.z));
    EXPECT_NEAR(circle_stress_ratio(1.0, v.r, v.z), v.ratio, 0.5e-5);
  }
}

TEST(CircleStress, NextToTheAxisJoinsTheAxisClosedForm) {
  // Off the axis by 1e-9 radius the elliptic integrals take over from Love's
  // closed form; the two must meet.
  for (const double z : {0.01, 0.3, 1.0, 4.0, 50.0}) {
    SCOPED_TRACE("z = " + std::to_string(z));
    const double share = z * z / (4.0 + z * z);
    EXPECT_NEAR(circle_stress_ratio(2.0, 2.0e-9, z), 1.0 - std::pow(share, 1.5), 1.0e-12);
  }
}

TEST(CircleStress, FarBelowTendsToAPointLoad) {
  // At depth z >> a the disk acts as a point load pi a^2 q: 3 a^2 z^3 / (2 R^5),
  // to a relative O(a^2 / R^2).
  for (const double r : {0.0, 300.0, 800.0}) {
    const double z = 1000.0;
    const double distance = std::hypot(r, z);
    const double point_load = 1.5 * z * z * z / std::pow(distance, 5.0);
    EXPECT_NEAR(circle_stress_ratio(1.0, r, z) / point_load, 1.0, 1.0e-5) << "r = " << r;
  }
}

TEST(CircleStress, TakesHalfUnderTheRimJustBelowTheSurface) {
  EXPECT_NEAR(circle_stress_ratio(5.0, 5.0, 1.0e-8), 0.5, 1.0e-8);
  EXPECT_NEAR(circle_stress_ratio(5.0, 4.9, 1.0e-6), 1.0, 1.0e-6);
  EXPECT_NEAR(circle_stress_ratio(5.0, 5.1, 1.0e-6), 0.0, 1.0e-6);
}

TEST(CircleChecks, RefuseADiameterOfNoSize) {
  Circle c;
  c.diameter = -4.0;
  c.pressure = 10.0;
  const LoadProblems found = check_fields(c);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].key, "diameter");
  EXPECT_EQ(found[0].message, "diameter is -4: a circle's diameter must be greater than 0");
  EXPECT_EQ(found[0].severity, Severity::kError);
}

TEST(CircleOutline, ChordsLieOnTheRimAndReachItsExtremes) {
  Circle c;
  c.x = 1.0;
  c.y = -1.0;
  c.diameter = 6.0;
  const Outline o = plan_outline(c);
  ASSERT_EQ(o.ring.size(), static_cast<std::size_t>(kCircleChords));
  for (const PlanPoint& p : o.ring) EXPECT_NEAR(std::hypot(p.x - 1.0, p.y + 1.0), 3.0, 1.0e-14);
  EXPECT_EQ(o.ring[0].x, 4.0);
  EXPECT_EQ(o.ring[kCircleChords / 4].y, 2.0);
  EXPECT_EQ(o.ring[kCircleChords / 2].x, -2.0);
  EXPECT_EQ(o.ring[3 * kCircleChords / 4].y, -4.0);
}

}  // namespace
}  // namespace loads
