// The polygon's sum over its edges against the rectangle's corner formula,
// both orientations, an L as two rectangles; its checks and its outline.
#include "loads/polygon.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "loads/rectangle.h"

namespace loads {
namespace {

// A 10 by 20 rectangle turned 30 degrees about (3, -4), loaded by 100, and
// the same as a polygon.
Rectangle rectangle() {
  Rectangle r;
  r.x = 3.0;
  r.y = -4.0;
  r.x_length = 10.0;
  r.y_length = 20.0;
  r.angle = 30.0;
  r.pressure = 100.0;
  return r;
}

Polygon as_polygon(const Rectangle& r) {
  Polygon p;
  p.vertices = plan_outline(r).ring;
  p.pressure = r.pressure;
  return p;
}

// 100 points in the rectangle's own axes: 40 inside, 30 outside, 30 on the
// outline (corners, sides, and points within 1e-9 of them).
std::vector<PlanPoint> hundred_points() {
  std::vector<PlanPoint> local;
  for (int i = 0; i < 40; ++i) local.push_back({-4.9 + 0.25 * i, -9.5 + 0.47 * i});
  for (int i = 0; i < 30; ++i) {
    const double angle = 0.2094 * i;
    const double reach = 5.5 + 0.9 * (i % 7);
    local.push_back({reach * std::cos(angle), 2.0 * reach * std::sin(angle)});
  }
  const PlanPoint corners[] = {{-5, -10}, {5, -10}, {5, 10}, {-5, 10}};
  for (const PlanPoint& c : corners) local.push_back(c);
  for (int i = 0; i < 26; ++i) {
    const double t = -0.95 + 0.076 * i;
    const double nudge = (i % 3 - 1) * 0.9e-9;
    switch (i % 4) {
      case 0:
        local.push_back({5.0 + nudge, 10.0 * t});
        break;
      case 1:
        local.push_back({-5.0 + nudge, 10.0 * t});
        break;
      case 2:
        local.push_back({5.0 * t, 10.0 + nudge});
        break;
      default:
        local.push_back({5.0 * t, -10.0 + nudge});
        break;
    }
  }
  const PreparedRectangle r = prepare(rectangle());
  std::vector<PlanPoint> points;
  for (const PlanPoint& l : local) {
    points.push_back({r.centre.x + l.x * r.cos_angle - l.y * r.sin_angle,
                      r.centre.y + l.x * r.sin_angle + l.y * r.cos_angle});
  }
  return points;
}

constexpr double kDepths[] = {0.01, 0.3, 1.0, 5.0, 50.0};

TEST(PolygonStress, ARectangularPolygonEqualsTheRectangleToDoublePrecision) {
  const PreparedRectangle r = prepare(rectangle());
  const PreparedPolygon p = prepare(as_polygon(rectangle()));
  const std::vector<PlanPoint> points = hundred_points();
  ASSERT_EQ(points.size(), 100u);
  double largest = 0.0;
  for (const PlanPoint& point : points) {
    for (const double z : kDepths) {
      largest =
          std::max(largest, std::abs(stress_increase(p, point, z) - stress_increase(r, point, z)));
    }
  }
  EXPECT_LE(largest / 100.0, 1.0e-12);
}

TEST(PolygonStress, EitherOrientationGivesTheSameStress) {
  Polygon forward;
  forward.vertices = {{0, 0}, {7, 1}, {5, 4}, {8, 9}, {1, 6}};
  forward.pressure = 1.0;
  Polygon backward = forward;
  std::reverse(backward.vertices.begin(), backward.vertices.end());
  const PreparedPolygon f = prepare(forward);
  const PreparedPolygon b = prepare(backward);
  for (const PlanPoint& point : {PlanPoint{3, 3}, PlanPoint{6, 5}, PlanPoint{-4, 2}}) {
    for (const double z : kDepths) {
      EXPECT_NEAR(stress_increase(f, point, z), stress_increase(b, point, z), 1.0e-15);
    }
    EXPECT_EQ(surface_stress_increase(f, point), surface_stress_increase(b, point));
  }
}

TEST(PolygonStress, AnLShapeIsTheSumOfItsTwoRectangles) {
  //   (0,5) +--+ (2,5)
  //         |  |
  //         |  +-----+ (6,2)
  //         |        |
  //   (0,0) +--------+ (6,0)
  Polygon l;
  l.vertices = {{0, 0}, {6, 0}, {6, 2}, {2, 2}, {2, 5}, {0, 5}};
  l.pressure = 50.0;
  const PreparedPolygon p = prepare(l);
  Rectangle bottom;
  bottom.x = 3.0;
  bottom.y = 1.0;
  bottom.x_length = 6.0;
  bottom.y_length = 2.0;
  bottom.pressure = 50.0;
  Rectangle upright;
  upright.x = 1.0;
  upright.y = 3.5;
  upright.x_length = 2.0;
  upright.y_length = 3.0;
  upright.pressure = 50.0;
  const PreparedRectangle a = prepare(bottom);
  const PreparedRectangle b = prepare(upright);
  for (const PlanPoint& point :
       {PlanPoint{1, 1}, PlanPoint{2, 2}, PlanPoint{4, 4}, PlanPoint{0, 5}, PlanPoint{-3, 8}}) {
    for (const double z : kDepths) {
      EXPECT_NEAR(stress_increase(p, point, z),
                  stress_increase(a, point, z) + stress_increase(b, point, z), 1.0e-12 * 50.0);
    }
  }
}

struct BadOutline {
  int line;
  std::vector<PlanPoint> vertices;
  std::string key;
  std::string message;
};

TEST(PolygonChecks, RefuseOutlinesThatAreNotSimplePolygons) {
  const BadOutline cases[] = {
      {__LINE__,
       {{0, 0}, {1, 0}},
       "vertices",
       "vertices has 2 vertices: a polygon needs three or more"},
      {__LINE__,
       {{0, 0}, {4, 0}, {4, 4}, {0, 0}},
       "vertices[4]",
       "vertices[4] (0, 0) repeats vertices[1]: each vertex is given once, and the outline closes "
       "by itself"},
      {__LINE__,
       {{0, 0}, {4, 4}, {4, 0}, {0, 4}},
       "vertices",
       "the edge from vertices[1] to vertices[2] meets the edge from vertices[3] to vertices[4]: "
       "the outline must not cross or touch itself"},
      {__LINE__,
       {{0, 0}, {6, 0}, {6, 4}, {3, 0.0}, {0, 4}},
       "vertices",
       "the edge from vertices[1] to vertices[2] meets the edge from vertices[3] to vertices[4]: "
       "the outline must not cross or touch itself"},
      {__LINE__,
       {{0, 0}, {1, 1}, {2.5, 2.5}},
       "vertices",
       "the polygon's area is 0: its vertices must enclose an area"},
      {__LINE__,
       {{0, 0}, {4, 0}, {4, 4}, {4, 7}, {4, 5}, {0, 4}},
       "vertices",
       "the edge from vertices[3] to vertices[4] meets the edge from vertices[5] to vertices[6]: "
       "the outline must not cross or touch itself"},
  };
  for (const BadOutline& c : cases) {
    SCOPED_TRACE("line " + std::to_string(c.line));
    Polygon p;
    p.vertices = c.vertices;
    p.pressure = 1.0;
    const LoadProblems found = check_fields(p);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].key, c.key);
    EXPECT_EQ(found[0].message, c.message);
    EXPECT_EQ(found[0].severity, Severity::kError);
  }
}

TEST(PolygonChecks, AcceptAnySimplePolygonEitherWayRound) {
  Polygon p;
  p.vertices = {{0, 0}, {7, 1}, {5, 4}, {8, 9}, {1, 6}};
  p.pressure = -20.0;  // an excavation
  EXPECT_TRUE(check_fields(p).empty());
  std::reverse(p.vertices.begin(), p.vertices.end());
  EXPECT_TRUE(check_fields(p).empty());
  // Three vertices in a line along one edge are still a simple polygon.
  p.vertices = {{0, 0}, {2, 0}, {4, 0}, {4, 3}};
  EXPECT_TRUE(check_fields(p).empty());
}

TEST(PolygonOutline, IsTheVerticesAsGiven) {
  Polygon p;
  p.vertices = {{0, 0}, {0, 3}, {4, 0}};
  const Outline o = plan_outline(p);
  ASSERT_EQ(o.ring.size(), 3u);
  EXPECT_EQ(o.ring[1].y, 3.0);
  EXPECT_FALSE(o.unbounded);
}

}  // namespace
}  // namespace loads
