// The infinitely long strip: published values under its centre, a very long
// rectangle, its checks and its outline.
#include "loads/strip.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "loads/rectangle.h"

namespace loads {
namespace {

Strip strip(double angle) {
  Strip s;
  s.x = 2.0;
  s.y = -1.0;
  s.angle = angle;
  s.width = 2.0;  // half width b = 1
  s.pressure = 1.0;
  return s;
}

TEST(StripStress, ReproducesThePublishedValuesUnderTheCentre) {
  // sigma / q under the centre of a strip of half width b, as tabulated in
  // the textbooks (e.g. Poulos and Davis 1974), at z / b = 0.5, 1, 2, 4.
  const double published[][2] = {{0.5, 0.9595}, {1.0, 0.8183}, {2.0, 0.5498}, {4.0, 0.3058}};
  const PreparedStrip p = prepare(strip(0.0));
  for (const auto& value : published) {
    SCOPED_TRACE("z/b = " + std::to_string(value[0]));
    EXPECT_NEAR(stress_increase(p, {2.0, -1.0}, value[0]), value[1], 0.5e-4);
    EXPECT_NEAR(stress_increase(p, {-300.0, -1.0}, value[0]), value[1], 0.5e-4);
  }
}

TEST(StripStress, AVeryLongRectangleTendsToTheStrip) {
  // 40000 half widths long, turned with the strip: at these depths the ends
  // are too far to count.
  for (const double angle : {0.0, 35.0, 90.0}) {
    SCOPED_TRACE("angle " + std::to_string(angle));
    Rectangle long_one;
    long_one.x = 2.0;
    long_one.y = -1.0;
    long_one.angle = angle;
    long_one.x_length = 40000.0;
    long_one.y_length = 2.0;
    long_one.pressure = 1.0;
    const PreparedRectangle r = prepare(long_one);
    const PreparedStrip s = prepare(strip(angle));
    for (const double across : {0.0, 0.5, 1.0, 1.7, 6.0}) {
      const PlanPoint point = {2.0 - across * r.sin_angle, -1.0 + across * r.cos_angle};
      for (const double z : {0.05, 0.5, 2.0, 10.0}) {
        EXPECT_NEAR(stress_increase(r, point, z), stress_increase(s, point, z), 1.0e-9)
            << "across " << across << ", z " << z;
      }
    }
  }
}

TEST(StripChecks, RefuseAStripOfNoWidth) {
  Strip s = strip(0.0);
  s.width = 0.0;
  const LoadProblems found = check_fields(s);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].key, "width");
  EXPECT_EQ(found[0].message, "width is 0: a strip's width must be greater than 0");
}

TEST(StripOutline, IsAStretchSeveralWidthsLongMarkedUnbounded) {
  const Outline o = plan_outline(strip(90.0));
  ASSERT_EQ(o.ring.size(), 4u);
  EXPECT_TRUE(o.unbounded);
  // Along y through (2, -1), 2 wide and 10 widths long.
  EXPECT_NEAR(o.ring[0].x, 3.0, 1.0e-15);
  EXPECT_NEAR(o.ring[0].y, -11.0, 1.0e-15);
  EXPECT_NEAR(o.ring[2].x, 1.0, 1.0e-15);
  EXPECT_NEAR(o.ring[2].y, 9.0, 1.0e-15);
}

}  // namespace
}  // namespace loads
