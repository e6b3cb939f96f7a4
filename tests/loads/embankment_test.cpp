// The embankment: vertical sides as a rectangle, its symmetry, its checks and
// its outline. Its stress against Osterberg and Boussinesq is in
// load_verification_test.cpp.
#include "loads/embankment.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "loads/rectangle.h"

namespace loads {
namespace {

// From (0, 0) to (30, 40): 50 long, crest 6 wide, 3 high, sides 2:1, 20 kN/m3.
Embankment embankment() {
  Embankment e;
  e.x2 = 30.0;
  e.y2 = 40.0;
  e.crest_width = 6.0;
  e.height = 3.0;
  e.side_slope = 2.0;
  e.unit_weight = 20.0;
  return e;
}

// The point `along` from the start and `across` to the left of the crest line.
PlanPoint at(double along, double across) {
  return {along * 0.6 - across * 0.8, along * 0.8 + across * 0.6};
}

TEST(EmbankmentStress, WithVerticalSidesIsTheCrestRectangle) {
  Embankment e = embankment();
  e.side_slope = 0.0;
  Rectangle crest;
  crest.x = 15.0;
  crest.y = 20.0;
  crest.x_length = 50.0;
  crest.y_length = 6.0;
  crest.slope = 40.0 / 30.0;
  crest.pressure = 60.0;
  const PreparedEmbankment p = prepare(e, kSiFillPressureFactor);
  const PreparedRectangle r = prepare(crest);
  for (const PlanPoint& point : {at(25, 0), at(0, 3), at(-2, 7), at(49, -2.5)}) {
    for (const double z : {0.1, 1.0, 8.0}) {
      EXPECT_NEAR(stress_increase(p, point, z), stress_increase(r, point, z), 1.0e-12);
    }
  }
}

TEST(EmbankmentStress, IsSymmetricAcrossItsCrestLineAndAboutItsMiddle) {
  const PreparedEmbankment p = prepare(embankment(), kSiFillPressureFactor);
  for (const double across : {0.0, 2.0, 5.0, 9.0, 14.0}) {
    for (const double along : {-3.0, 0.0, 10.0, 24.0}) {
      for (const double z : {0.2, 3.0, 20.0}) {
        const double here = stress_increase(p, at(along, across), z);
        EXPECT_NEAR(stress_increase(p, at(along, -across), z), here, 1.0e-12);
        EXPECT_NEAR(stress_increase(p, at(50.0 - along, across), z), here, 1.0e-12);
      }
    }
  }
}

TEST(EmbankmentStress, ItsLoadIsTheFillsWeight) {
  // 20 kN/m3 x 3 m under the crest, just below the surface.
  const PreparedEmbankment p = prepare(embankment(), kSiFillPressureFactor);
  EXPECT_EQ(p.pressure, 60.0);
  EXPECT_NEAR(stress_increase(p, at(25, 0), 1.0e-6), 60.0, 1.0e-5);
  EXPECT_NEAR(stress_increase(p, at(25, 6), 1.0e-6), 30.0, 1.0e-5);  // half way down
}

struct BadEmbankment {
  int line;
  Embankment embankment;
  std::string key;
  std::string message;
};

Embankment with(void (*change)(Embankment&)) {
  Embankment e = embankment();
  change(e);
  return e;
}

TEST(EmbankmentChecks, NameEachBadFieldWithItsValue) {
  const BadEmbankment cases[] = {
      {__LINE__, with([](Embankment& e) { e.side_slope = -1.5; }), "side_slope",
       "side_slope is -1.5: an embankment's side_slope must be 0 or more"},
      {__LINE__, with([](Embankment& e) { e.height = 0.0; }), "height",
       "height is 0: an embankment's height must be greater than 0"},
      {__LINE__, with([](Embankment& e) { e.crest_width = -2.0; }), "crest_width",
       "crest_width is -2: an embankment's crest_width must be 0 or more"},
      {__LINE__, with([](Embankment& e) {
         e.crest_width = 0.0;
         e.side_slope = 0.0;
       }),
       "crest_width", "crest_width and side_slope are both 0: the embankment has no width"},
      {__LINE__, with([](Embankment& e) { e.unit_weight = 0.0; }), "unit_weight",
       "unit_weight is 0: an embankment's unit_weight must be greater than 0"},
      {__LINE__, with([](Embankment& e) {
         e.x2 = 0.0;
         e.y2 = 0.0;
       }),
       "x2",
       "the crest line from (x1, y1) to (x2, y2) = (0, 0) has no length: its ends must differ"},
  };
  for (const BadEmbankment& c : cases) {
    SCOPED_TRACE("line " + std::to_string(c.line));
    const LoadProblems found = check_fields(c.embankment);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].key, c.key);
    EXPECT_EQ(found[0].message, c.message);
    EXPECT_EQ(found[0].severity, Severity::kError);
  }
  EXPECT_TRUE(check_fields(embankment()).empty());
  // A ridge without a crest is an embankment all the same.
  EXPECT_TRUE(check_fields(with([](Embankment& e) { e.crest_width = 0.0; })).empty());
}

TEST(EmbankmentOutline, IsTheFootprintWithTheCrestEdgesInside) {
  const Outline o = plan_outline(embankment());
  // Toes 3 + 6 either side of the crest line.
  ASSERT_EQ(o.ring.size(), 4u);
  const PlanPoint corners[] = {at(0, -9), at(50, -9), at(50, 9), at(0, 9)};
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_NEAR(o.ring[i].x, corners[i].x, 1.0e-13);
    EXPECT_NEAR(o.ring[i].y, corners[i].y, 1.0e-13);
  }
  ASSERT_EQ(o.lines.size(), 2u);
  EXPECT_NEAR(o.lines[0][1].x, at(50, -3).x, 1.0e-13);
  EXPECT_NEAR(o.lines[1][0].y, at(0, 3).y, 1.0e-13);
  EXPECT_FALSE(o.unbounded);

  EXPECT_EQ(plan_outline(with([](Embankment& e) { e.crest_width = 0.0; })).lines.size(), 1u);
  EXPECT_TRUE(plan_outline(with([](Embankment& e) { e.side_slope = 0.0; })).lines.empty());
}

}  // namespace
}  // namespace loads
