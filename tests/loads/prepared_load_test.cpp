// The z -> 0+ limits at each kind's level, and the sign of an excavation,
// through the one dispatch over the kinds.
#include "loads/prepared_load.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace loads {
namespace {

// Well inside the 1e-9 counted as on the outline, and well beyond it.
constexpr double kOn = 0.5e-9;
constexpr double kOff = 2.0e-9;

// A 10 by 20 rectangle turned 30 degrees about (3, -4), loaded by 100.
Rectangle turned_rectangle() {
  Rectangle r;
  r.x = 3.0;
  r.y = -4.0;
  r.x_length = 10.0;
  r.y_length = 20.0;
  r.angle = 30.0;
  r.pressure = 100.0;
  return r;
}

// The point at (u, v) in the rectangle's own axes.
PlanPoint in_rectangle(double u, double v) {
  const double c = std::sqrt(3.0) / 2.0;
  const double s = 0.5;
  return {3.0 + u * c - v * s, -4.0 + u * s + v * c};
}

Circle circle() {
  Circle c;
  c.x = -2.0;
  c.y = 1.0;
  c.diameter = 10.0;
  c.pressure = 100.0;
  return c;
}

// An L: the vertex at (2, 2) is reflex (270 degrees), the others right angles.
Polygon l_shape() {
  Polygon p;
  p.vertices = {{0, 0}, {6, 0}, {6, 2}, {2, 2}, {2, 5}, {0, 5}};
  p.pressure = 100.0;
  return p;
}

// A triangle with a 45-degree vertex at (4, 0), given clockwise.
Polygon triangle() {
  Polygon p;
  p.vertices = {{0, 0}, {0, 4}, {4, 0}};
  p.pressure = 100.0;
  return p;
}

// A dart, not convex: the vertex at (5, 4) turns inward.
Polygon dart() {
  Polygon p;
  p.vertices = {{0, 0}, {7, 1}, {5, 4}, {8, 9}, {1, 6}};
  p.pressure = 100.0;
  return p;
}

constexpr double kPi = 3.14159265358979323846;

// The dart's interior angle at (7, 1), between the edges to (0, 0) and (5, 4).
double dart_angle() { return std::acos((14.0 - 3.0) / std::sqrt(50.0 * 13.0)); }

// The angle outside the dart at (5, 4), between the edges to (7, 1) and (8, 9).
double dart_reflex_angle() { return std::acos((6.0 - 15.0) / std::sqrt(13.0 * 34.0)); }

Strip strip() {
  Strip s;
  s.x = 0.0;
  s.y = 5.0;
  s.angle = 90.0;  // along y, so across is x
  s.width = 4.0;
  s.pressure = 100.0;
  return s;
}

SpreadArea spread(double depth) {
  SpreadArea s;
  s.x = 0.0;
  s.y = 0.0;
  s.x_length = 6.0;
  s.y_length = 6.0;
  s.load = 3600.0;  // 100 over its 36
  s.depth = depth;
  s.upper_depth = 1.0;
  return s;
}

// Along x from (0, 0) to (50, 0): crest 10 wide, sides reaching 4 beyond it,
// 100 under the crest (unit weight 25, height 4).
Embankment embankment(double side_slope) {
  Embankment e;
  e.x2 = 50.0;
  e.crest_width = 10.0;
  e.height = 4.0;
  e.side_slope = side_slope;
  e.unit_weight = 25.0;
  return e;
}

struct SurfaceCase {
  int line;
  std::string where;
  Load load;
  PlanPoint point;
  double expected;
};

TEST(LoadSurfaceStress, EachKindTakesItsShareOfThePressureAtItsLevel) {
  const std::vector<SurfaceCase> cases = {
      {__LINE__, "rectangle, centre", turned_rectangle(), in_rectangle(0, 0), 100.0},
      {__LINE__, "rectangle, inside", turned_rectangle(), in_rectangle(4.9, -9.9), 100.0},
      {__LINE__, "rectangle, side", turned_rectangle(), in_rectangle(5, 3), 50.0},
      {__LINE__, "rectangle, near side", turned_rectangle(), in_rectangle(-3, 10 - kOn), 50.0},
      {__LINE__, "rectangle, just beyond side", turned_rectangle(), in_rectangle(-3, 10 + kOff),
       0.0},
      {__LINE__, "rectangle, corner", turned_rectangle(), in_rectangle(-5, -10), 25.0},
      {__LINE__, "rectangle, near corner", turned_rectangle(), in_rectangle(5 + kOn, 10 + kOn),
       25.0},
      {__LINE__, "rectangle, beyond corner", turned_rectangle(), in_rectangle(5 + kOff, 10 + kOff),
       0.0},
      {__LINE__, "rectangle, outside", turned_rectangle(), in_rectangle(8, 0), 0.0},
      {__LINE__, "circle, centre", circle(), {-2, 1}, 100.0},
      {__LINE__, "circle, inside", circle(), {-2, 5.9}, 100.0},
      {__LINE__, "circle, rim", circle(), {1, 5}, 50.0},
      {__LINE__, "circle, near rim", circle(), {3 + kOn, 1}, 50.0},
      {__LINE__, "circle, beyond rim", circle(), {3 + kOff, 1}, 0.0},
      {__LINE__, "polygon, inside", l_shape(), {1, 4}, 100.0},
      {__LINE__, "polygon, edge", l_shape(), {4, 0}, 50.0},
      {__LINE__, "polygon, near edge", l_shape(), {4, 2 + kOn}, 50.0},
      {__LINE__, "polygon, right-angled vertex", l_shape(), {6, 2}, 25.0},
      {__LINE__, "polygon, reflex vertex", l_shape(), {2, 2}, 75.0},
      {__LINE__, "polygon, near reflex vertex", l_shape(), {2 + kOn, 2 + kOn}, 75.0},
      {__LINE__, "polygon, in the notch", l_shape(), {4, 4}, 0.0},
      {__LINE__, "polygon, beyond an edge", l_shape(), {4, 2 + kOff}, 0.0},
      {__LINE__, "polygon, 45-degree vertex", triangle(), {4, 0}, 12.5},
      {__LINE__, "dart, sharp vertex", dart(), {7, 1}, 100.0 * dart_angle() / (2 * kPi)},
      {__LINE__, "dart, reflex vertex", dart(), {5, 4}, 100.0 - 50.0 * dart_reflex_angle() / kPi},
      {__LINE__, "dart, edge", dart(), {3.5, 0.5}, 50.0},
      {__LINE__, "strip, centre line", strip(), {0, -300}, 100.0},
      {__LINE__, "strip, edge", strip(), {2, 77}, 50.0},
      {__LINE__, "strip, near edge", strip(), {-2 - kOn, 0}, 50.0},
      {__LINE__, "strip, beside", strip(), {-2 - kOff, 0}, 0.0},
      {__LINE__, "spread, inside", spread(0.0), {1, 1}, 100.0},
      {__LINE__, "spread, side included", spread(0.0), {3, 0}, 100.0},
      {__LINE__, "spread, corner included", spread(0.0), {-3 - kOn, 3}, 100.0},
      {__LINE__, "spread, outside", spread(0.0), {3 + kOff, 0}, 0.0},
      {__LINE__, "spread, level above its depth", spread(2.0), {0, 0}, 0.0},
      {__LINE__, "embankment, crest", embankment(1.0), {25, 4}, 100.0},
      {__LINE__, "embankment, crest edge", embankment(1.0), {25, 5}, 100.0},
      {__LINE__, "embankment, half way down a side", embankment(1.0), {25, -7}, 50.0},
      {__LINE__, "embankment, toe", embankment(1.0), {25, 9}, 0.0},
      {__LINE__, "embankment, end of the crest", embankment(1.0), {0, 0}, 50.0},
      {__LINE__, "embankment, near the end", embankment(1.0), {50 + kOn, 0}, 50.0},
      {__LINE__, "embankment, beyond the end", embankment(1.0), {50 + kOff, 0}, 0.0},
      {__LINE__, "embankment, end half way down", embankment(1.0), {50, 7}, 25.0},
      {__LINE__, "embankment, vertical side", embankment(0.0), {10, 5}, 50.0},
      {__LINE__, "embankment, vertical side's end", embankment(0.0), {0, -5}, 25.0},
      {__LINE__, "embankment, beyond a vertical side", embankment(0.0), {10, -5 - kOff}, 0.0},
  };
  for (const SurfaceCase& c : cases) {
    SCOPED_TRACE("line " + std::to_string(c.line) + ": " + c.where);
    const PreparedLoad prepared = prepare(c.load, kSiFillPressureFactor);
    EXPECT_NEAR(surface_stress_increase(prepared, c.point), c.expected, 1.0e-12);
  }
}

TEST(LoadSurfaceStress, TheShareIsTheLimitOfTheStressBelow) {
  // Just below the level, away from the outline, the stress approaches the
  // share: 1e-7 below, within 1e-6 of the pressure.
  const std::vector<SurfaceCase> cases = {
      {__LINE__, "rectangle, side", turned_rectangle(), in_rectangle(5, 3), 50.0},
      {__LINE__, "rectangle, corner", turned_rectangle(), in_rectangle(-5, -10), 25.0},
      {__LINE__, "circle, rim", circle(), {1, 5}, 50.0},
      {__LINE__, "polygon, reflex vertex", l_shape(), {2, 2}, 75.0},
      {__LINE__, "polygon, 45-degree vertex", triangle(), {4, 0}, 12.5},
      {__LINE__, "dart, sharp vertex", dart(), {7, 1}, 100.0 * dart_angle() / (2 * kPi)},
      {__LINE__, "dart, reflex vertex", dart(), {5, 4}, 100.0 - 50.0 * dart_reflex_angle() / kPi},
      {__LINE__, "dart, edge", dart(), {3.5, 0.5}, 50.0},
      {__LINE__, "strip, edge", strip(), {2, 77}, 50.0},
      {__LINE__, "embankment, half way down a side", embankment(1.0), {25, -7}, 50.0},
      {__LINE__, "embankment, end half way down", embankment(1.0), {50, 7}, 25.0},
      {__LINE__, "embankment, vertical side's end", embankment(0.0), {0, -5}, 25.0},
  };
  for (const SurfaceCase& c : cases) {
    SCOPED_TRACE("line " + std::to_string(c.line) + ": " + c.where);
    const PreparedLoad prepared = prepare(c.load, kSiFillPressureFactor);
    EXPECT_NEAR(stress_increase(prepared, c.point, 1.0e-7), c.expected, 1.0e-4);
  }
}

Load negated(Load load) {
  std::visit(
      Overloaded{
          [](Rectangle& k) { k.pressure = -k.pressure; },
          [](Circle& k) { k.pressure = -k.pressure; }, [](SpreadArea& k) { k.load = -k.load; },
          [](Polygon& k) { k.pressure = -k.pressure; }, [](Strip& k) { k.pressure = -k.pressure; },
          [](Embankment&) {},  // always a fill
      },
      load);
  return load;
}

TEST(LoadStress, AnExcavationUnloadsByTheSameAmount) {
  const std::vector<Load> loads = {turned_rectangle(), circle(),   spread(0.0),
                                   l_shape(),          triangle(), strip()};
  const PlanPoint points[] = {{0, 0}, {3, -4}, {2, 2}, {4, 4}, {-20, 7}};
  for (const Load& load : loads) {
    SCOPED_TRACE(load.index());
    const PreparedLoad fill = prepare(load, kSiFillPressureFactor);
    const PreparedLoad excavation = prepare(negated(load), kSiFillPressureFactor);
    for (const PlanPoint& p : points) {
      EXPECT_EQ(surface_stress_increase(excavation, p), -surface_stress_increase(fill, p));
      for (const double z : {0.1, 1.0, 7.5, 40.0}) {
        EXPECT_EQ(stress_increase(excavation, p, z), -stress_increase(fill, p, z));
      }
    }
  }
}

TEST(LoadLevel, IsTheDepthAtWhichEachKindActs) {
  Rectangle r = turned_rectangle();
  r.depth = 1.5;
  Circle c = circle();
  c.depth = 2.0;
  SpreadArea s = spread(0.0);
  s.lower_depth = 4.0;
  s.reference = SpreadReference::kTwoThirds;  // 1 + (4 - 1) 2/3
  Embankment e = embankment(2.0);
  e.depth = 0.25;
  EXPECT_EQ(level(prepare(Load{r}, kSiFillPressureFactor)), 1.5);
  EXPECT_EQ(level(prepare(Load{c}, kSiFillPressureFactor)), 2.0);
  EXPECT_EQ(level(prepare(Load{s}, kSiFillPressureFactor)), 3.0);
  EXPECT_EQ(level(prepare(Load{e}, kSiFillPressureFactor)), 0.25);
}

TEST(LoadPreparation, AnEmbankmentInUsUnitsTurnsPoundsPerCubicFootIntoKsf) {
  Embankment e = embankment(2.0);
  e.unit_weight = 120.0;  // lb/ft3, 4 ft high: 480 psf
  const PreparedLoad prepared = prepare(Load{e}, kUsFillPressureFactor);
  EXPECT_DOUBLE_EQ(surface_stress_increase(prepared, {25, 0}), 0.48);
}

}  // namespace
}  // namespace loads
