// The rectangle: Newmark's published corner values, superposition anywhere
// round it, its turn, its checks and its outline.
#include "loads/rectangle.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace loads {
namespace {

TEST(RectangleStress, ReproducesNewmarksCornerValues) {
  // Newmark (1935), corner influence factors for m = B/z, n = L/z.
  struct Corner {
    double m, n, factor;
  };
  const Corner corners[] = {
      {1.0, 1.0, 0.17522}, {4.0, 2.0, 0.23912}, {2.0, 1.0, 0.19994},
      {0.5, 0.5, 0.08403}, {0.1, 0.1, 0.00470},
  };
  for (const Corner& c : corners) {
    SCOPED_TRACE("m = " + std::to_string(c.m) + ", n = " + std::to_string(c.n));
    EXPECT_NEAR(rectangle_stress_ratio(0.0, c.m, 0.0, c.n, 1.0), c.factor, 0.5e-5);
    // Lengths and depth scale together, up to sides whose fourth powers
    // multiplied would overflow.
    for (const double scale : {7.0, 1.0e-30, 1.0e40}) {
      EXPECT_NEAR(rectangle_stress_ratio(0.0, scale * c.m, 0.0, scale * c.n, scale),
                  rectangle_stress_ratio(0.0, c.m, 0.0, c.n, 1.0), 1e-14)
          << "scale " << scale;
    }
  }
}

TEST(RectangleStress, RisesSmoothlyToAQuarterThroughTheArctangentsBranch) {
  // V = m^2 n^2 at m = n = 1.554: without the branch fix the factor would
  // drop by a half there. It must rise steadily to 1/4 instead.
  double previous = 0.0;
  for (double m = 0.5; m < 1.0e4; m *= 1.01) {
    const double factor = rectangle_stress_ratio(0.0, m, 0.0, m, 1.0);
    EXPECT_GT(factor, previous) << "m = n = " << m;
    EXPECT_LT(factor, 0.25) << "m = n = " << m;
    previous = factor;
  }
  EXPECT_NEAR(previous, 0.25, 1.0e-8);
}

TEST(RectangleStress, SuperposesToTheSameStressFromEveryCorner) {
  // Under a corner of a 4 by 2 rectangle, the four corners agree; beyond it
  // the overreaching quadrants are taken away again.
  Rectangle r;
  r.x_length = 4.0;
  r.y_length = 2.0;
  r.pressure = 10.0;
  const PreparedRectangle p = prepare(r);
  const double corner = 10.0 * rectangle_stress_ratio(0.0, 4.0, 0.0, 2.0, 1.5);
  for (const PlanPoint& c : {PlanPoint{-2, -1}, PlanPoint{2, -1}, PlanPoint{2, 1}, {-2, 1}}) {
    EXPECT_NEAR(stress_increase(p, c, 1.5), corner, 1.0e-13);
  }
  // A point beyond the short side: the 6 by 2 rectangle less the 2 by 2 one.
  const double beyond = 10.0 * (2.0 * rectangle_stress_ratio(0.0, 6.0, 0.0, 1.0, 1.5) -
                                2.0 * rectangle_stress_ratio(0.0, 2.0, 0.0, 1.0, 1.5));
  EXPECT_NEAR(stress_increase(p, {4, 0}, 1.5), beyond, 1.0e-13);
}

TEST(RectangleStress, AnArchivedSlopeStandsForTheAngleOfItsTangent) {
  Rectangle by_angle;
  by_angle.x = 5.0;
  by_angle.y = -2.0;
  by_angle.x_length = 8.0;
  by_angle.y_length = 3.0;
  by_angle.pressure = 1.0;
  by_angle.angle = std::atan(0.75) * 180.0 / std::acos(-1.0);
  Rectangle by_slope = by_angle;
  by_slope.angle = 0.0;
  by_slope.slope = 0.75;
  const PreparedRectangle a = prepare(by_angle);
  const PreparedRectangle s = prepare(by_slope);
  EXPECT_NEAR(a.cos_angle, 0.8, 1.0e-15);
  EXPECT_NEAR(s.cos_angle, 0.8, 1.0e-15);
  EXPECT_NEAR(s.sin_angle, 0.6, 1.0e-15);
  for (const PlanPoint& p : {PlanPoint{5, -2}, PlanPoint{8, 1}, PlanPoint{0, 0}}) {
    EXPECT_NEAR(stress_increase(a, p, 2.0), stress_increase(s, p, 2.0), 1.0e-14);
  }
}

TEST(RectangleStress, ATurnOfNinetyDegreesSwapsTheSides) {
  Rectangle turned;
  turned.x_length = 8.0;
  turned.y_length = 3.0;
  turned.angle = 90.0;
  turned.pressure = 1.0;
  Rectangle swapped = turned;
  swapped.angle = 0.0;
  swapped.x_length = 3.0;
  swapped.y_length = 8.0;
  EXPECT_EQ(prepare(turned).cos_angle, 0.0);
  for (const PlanPoint& p : {PlanPoint{1.5, 4}, PlanPoint{2, -1}, PlanPoint{-6, 3}}) {
    EXPECT_NEAR(stress_increase(prepare(turned), p, 1.0), stress_increase(prepare(swapped), p, 1.0),
                1.0e-15);
  }
}

TEST(RectangleChecks, NameEachBadFieldWithItsValue) {
  Rectangle r;
  r.x_length = 0.0;
  r.y_length = -2.0;
  r.depth = -1.0;
  r.schedule.ramp = -5.0;
  const LoadProblems found = check_fields(r);
  ASSERT_EQ(found.size(), 5u);
  EXPECT_EQ(found[0].key, "x_length");
  EXPECT_EQ(found[0].message, "x_length is 0: a rectangle's x_length must be greater than 0");
  EXPECT_EQ(found[1].key, "y_length");
  EXPECT_EQ(found[1].message, "y_length is -2: a rectangle's y_length must be greater than 0");
  EXPECT_EQ(found[2].message, "depth is -1: a load's depth must be 0 or more");
  EXPECT_EQ(found[3].key, "pressure");
  EXPECT_EQ(found[3].severity, Severity::kWarning);
  EXPECT_EQ(found[4].key, "ramp");

  Rectangle excavation;
  excavation.x_length = 1.0;
  excavation.y_length = 1.0;
  excavation.pressure = -50.0;
  EXPECT_TRUE(check_fields(excavation).empty());
}

TEST(RectangleOutline, RunsCounterClockwiseRoundTheTurnedCorners) {
  Rectangle r;
  r.x = 1.0;
  r.y = 2.0;
  r.x_length = 4.0;
  r.y_length = 2.0;
  r.angle = 90.0;
  const Outline o = plan_outline(r);
  ASSERT_EQ(o.ring.size(), 4u);
  const PlanPoint expected[] = {{2, 0}, {2, 4}, {0, 4}, {0, 0}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(o.ring[static_cast<std::size_t>(i)].x, expected[i].x, 1.0e-15);
    EXPECT_NEAR(o.ring[static_cast<std::size_t>(i)].y, expected[i].y, 1.0e-15);
  }
  EXPECT_TRUE(o.lines.empty());
  EXPECT_FALSE(o.unbounded);
}

}  // namespace
}  // namespace loads
