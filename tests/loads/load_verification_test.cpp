// The exact method's loads against independent values (docs/verification.md,
// "The exact method's loads"): Boussinesq's point load integrated with
// Boost's quadrature, Love's and Osterberg's closed forms, the strip as the
// textbooks write it, Flamant's line load integrated across an embankment.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "loads/circle.h"
#include "loads/embankment.h"
#include "loads/polygon.h"
#include "loads/rectangle.h"
#include "loads/strip.h"
#include "verification/boussinesq_reference.h"

namespace loads {
namespace {

std::vector<verification::PlanPoint> reference_corners(const std::vector<PlanPoint>& ring) {
  std::vector<verification::PlanPoint> corners;
  for (const PlanPoint& p : ring) corners.push_back({p.x, p.y});
  return corners;
}

// The largest |program - reference| over the points and depths, divided by
// the load's largest pressure.
template <typename Program, typename Reference>
double largest_error(const std::vector<PlanPoint>& points, const std::vector<double>& depths,
                     double pressure, const Program& program, const Reference& reference) {
  double largest = 0.0;
  for (const PlanPoint& p : points) {
    for (const double z : depths) {
      largest = std::max(largest, std::abs(program(p, z) - pressure * reference(p, z)));
    }
  }
  return largest / std::abs(pressure);
}

TEST(LoadVerification, RectangleEqualsThePointLoadIntegratedOverIt) {
  Rectangle r;
  r.x = 3.0;
  r.y = -4.0;
  r.x_length = 10.0;
  r.y_length = 20.0;
  r.angle = 30.0;
  r.pressure = 100.0;
  const PreparedRectangle prepared = prepare(r);
  const std::vector<verification::PlanPoint> corners = reference_corners(plan_outline(r).ring);
  // Centre, inside, a corner, the middle of a side, outside beyond a side and
  // beyond a corner (in the rectangle's own axes).
  std::vector<PlanPoint> points;
  for (const PlanPoint& l : {PlanPoint{0, 0}, PlanPoint{2.5, -6}, PlanPoint{5, 10},
                             PlanPoint{-5, 0}, PlanPoint{0, 14}, PlanPoint{-9, -13}}) {
    points.push_back({3.0 + l.x * prepared.cos_angle - l.y * prepared.sin_angle,
                      -4.0 + l.x * prepared.sin_angle + l.y * prepared.cos_angle});
  }
  const double error = largest_error(
      points, {0.05, 0.5, 2.0, 10.0, 60.0}, 100.0,
      [&](PlanPoint p, double z) { return stress_increase(prepared, p, z); },
      [&](PlanPoint p, double z) {
        return verification::polygon_stress_ratio(corners, {p.x, p.y}, z);
      });
  EXPECT_LE(error, 1.0e-9);
}

TEST(LoadVerification, CircleEqualsTheAxisClosedFormAndTheRayIntegral) {
  // Radius 5: on and next to the axis, inside, next to the rim on both sides,
  // on it, outside; from z = 0.002 a to 40 a.
  const double radius = 5.0;
  const std::vector<double> depths = {0.01, 0.1, 0.5, 1.5, 5.0, 10.0, 25.0, 200.0};
  double axis = 0.0;
  for (const double z : depths) {
    for (const double r : {0.0, 1.0e-8}) {
      axis = std::max(axis, std::abs(circle_stress_ratio(radius, r, z) -
                                     verification::circle_axis_closed_form(radius, z)));
    }
  }
  EXPECT_LE(axis, 1.0e-12);
  double rays = 0.0;
  for (const double r :
       {0.01, 1.5, 2.5, 4.0, 4.75, 4.99, 4.99999, 5.0, 5.00001, 5.01, 5.25, 7.5, 15.0, 50.0}) {
    for (const double z : depths) {
      SCOPED_TRACE("r = " + std::to_string(r) + ", z = " + std::to_string(z));
      const double reference = verification::circle_stress_ratio_by_rays(radius, r, z, 1.0e-12);
      rays = std::max(rays, std::abs(circle_stress_ratio(radius, r, z) - reference));
    }
  }
  EXPECT_LE(rays, 1.0e-12);
}

TEST(LoadVerification, NonConvexPentagonEqualsThePointLoadIntegratedOverIt) {
  //        (8,9)
  //        / |          a dart: the vertex (5, 4) turns inward
  //  (1,6)/  |
  //     |  (5,4)
  //     | /    \.
  //  (0,0)----(7,1)
  Polygon dart;
  dart.vertices = {{0, 0}, {7, 1}, {5, 4}, {8, 9}, {1, 6}};
  dart.pressure = 50.0;
  Polygon reversed = dart;
  std::reverse(reversed.vertices.begin(), reversed.vertices.end());
  const std::vector<verification::PlanPoint> corners = reference_corners(dart.vertices);
  // Inside, in the notch, on the inward vertex, on a vertex and an edge,
  // outside beyond each side.
  const std::vector<PlanPoint> points = {{3, 3}, {6.5, 3.5}, {5, 4},  {7, 1},   {3.5, 0.5},
                                         {2, 7}, {4, 5},     {10, 2}, {-3, -3}, {6.5, 6.5}};
  const std::vector<double> depths = {0.05, 0.4, 2.0, 12.0};
  std::vector<double> reference;
  for (const PlanPoint& p : points) {
    for (const double z : depths) {
      reference.push_back(verification::polygon_stress_ratio(corners, {p.x, p.y}, z));
    }
  }
  for (const Polygon& orientation : {dart, reversed}) {
    const PreparedPolygon prepared = prepare(orientation);
    double largest = 0.0;
    std::size_t k = 0;
    for (const PlanPoint& p : points) {
      for (const double z : depths) {
        largest =
            std::max(largest, std::abs(stress_increase(prepared, p, z) / 50.0 - reference[k++]));
      }
    }
    EXPECT_LE(largest, 1.0e-8);
  }
}

TEST(LoadVerification, StripEqualsItsTextbookForm) {
  Strip s;
  s.x = 1.0;
  s.y = 2.0;
  s.angle = 60.0;
  s.width = 6.0;
  s.pressure = 80.0;
  const PreparedStrip prepared = prepare(s);
  std::vector<PlanPoint> points;
  std::vector<double> offsets = {0.0, 1.0, 2.9, 3.0, 3.1, 5.0, 12.0, -40.0};
  for (const double offset : offsets)
    points.push_back({1.0 - offset * 0.8660254037844386, 2.0 + offset * 0.5});
  const double error = largest_error(
      points, {0.01, 0.5, 1.5, 3.0, 6.0, 12.0, 100.0}, 80.0,
      [&](PlanPoint p, double z) { return stress_increase(prepared, p, z); },
      [&](PlanPoint p, double z) {
        const double offset = -(p.x - 1.0) * 0.8660254037844386 + (p.y - 2.0) * 0.5;
        return verification::strip_closed_form(3.0, offset, z);
      });
  EXPECT_LE(error, 1.0e-12);
}

// A long embankment along the x axis, 4000 crest widths long: crest 10 wide,
// 5 high, sides 1.5:1 (reaching 7.5 beyond the crest), 20 kN/m3.
Embankment long_embankment() {
  Embankment e;
  e.x1 = -20000.0;
  e.x2 = 20000.0;
  e.crest_width = 10.0;
  e.height = 5.0;
  e.side_slope = 1.5;
  e.unit_weight = 20.0;
  return e;
}

TEST(LoadVerification, LongEmbankmentsMiddleEqualsOsterbergsInfiniteEmbankment) {
  const PreparedEmbankment prepared = prepare(long_embankment(), kSiFillPressureFactor);
  const double error = largest_error(
      {{0.0, 0.0}}, {0.1, 1.0, 2.5, 5.0, 10.0, 25.0, 50.0}, prepared.pressure,
      [&](PlanPoint p, double z) { return stress_increase(prepared, p, z); },
      [&](PlanPoint, double z) { return 2.0 * verification::osterberg_influence(7.5, 5.0, z); });
  EXPECT_LE(error, 1.0e-9);
}

TEST(LoadVerification, LongEmbankmentEqualsFlamantsLineLoadIntegratedAcrossIt) {
  const PreparedEmbankment prepared = prepare(long_embankment(), kSiFillPressureFactor);
  std::vector<PlanPoint> points;
  for (const double across : {0.0, 2.0, 5.0, 6.0, 8.75, 12.5, 13.0, 20.0, -30.0}) {
    points.push_back({137.0, across});
  }
  const double error = largest_error(
      points, {0.1, 1.0, 2.5, 5.0, 10.0, 25.0, 50.0}, prepared.pressure,
      [&](PlanPoint p, double z) { return stress_increase(prepared, p, z); },
      [&](PlanPoint p, double z) {
        return verification::embankment_plane_ratio_numerical(5.0, 7.5, p.y, z);
      });
  EXPECT_LE(error, 1.0e-9);
}

TEST(LoadVerification, NearlyVerticalSidesKeepTheirDigits) {
  // Sides reaching 5e-6 beyond the crest (slope 1e-6 on a 5 high fill), where
  // the sides' closed form would cancel: still within 1e-9 everywhere.
  Embankment e = long_embankment();
  e.side_slope = 1.0e-6;
  const PreparedEmbankment prepared = prepare(e, kSiFillPressureFactor);
  std::vector<PlanPoint> points;
  for (const double across : {0.0, 4.0, 5.0, 5.0 + 2.5e-6, 5.1, 12.0, 60.0}) {
    points.push_back({-50.0, across});
  }
  const double error = largest_error(
      points, {0.001, 0.1, 1.0, 10.0, 50.0}, prepared.pressure,
      [&](PlanPoint p, double z) { return stress_increase(prepared, p, z); },
      [&](PlanPoint p, double z) {
        return verification::embankment_plane_ratio_numerical(5.0, 5.0e-6, p.y, z);
      });
  EXPECT_LE(error, 1.0e-9);
}

TEST(LoadVerification, ShortEmbankmentEqualsThePointLoadIntegratedUnderTheFill) {
  // 30 long from (0, 0) to (18, 24), crest 4, 3 high, sides 2:1; points on
  // the crest, the sides, the ends, the end corners and beyond.
  Embankment e;
  e.x2 = 18.0;
  e.y2 = 24.0;
  e.crest_width = 4.0;
  e.height = 3.0;
  e.side_slope = 2.0;
  e.unit_weight = 19.0;
  const PreparedEmbankment prepared = prepare(e, kSiFillPressureFactor);
  // (along, across): the reference takes them as written, the program in plan.
  const PlanPoint local[] = {{15, 0}, {15, 2}, {15, -5}, {15, 8},   {0, 0},
                             {30, 4}, {0, -8}, {-3, 1},  {33, -10}, {8, 14}};
  double largest = 0.0;
  for (const PlanPoint& l : local) {
    const PlanPoint point = {l.x * 0.6 - l.y * 0.8, l.x * 0.8 + l.y * 0.6};
    for (const double z : {0.05, 0.5, 2.0, 6.0, 20.0, 60.0}) {
      const double reference =
          verification::embankment_ratio_numerical(2.0, 6.0, 30.0, l.y, l.x, z);
      largest = std::max(
          largest, std::abs(stress_increase(prepared, point, z) / prepared.pressure - reference));
    }
  }
  EXPECT_LE(largest, 1.0e-9);
}

TEST(LoadVerification, ReferencesReproduceOsterbergsAndTheStripsLimits) {
  // Osterberg's factor: a slope alone (b = 0) is atan(a / z) / pi; a long
  // crest with a short slope tends to a half.
  EXPECT_NEAR(verification::osterberg_influence(1.0, 0.0, 1.0), 0.25, 1.0e-15);
  EXPECT_NEAR(verification::osterberg_influence(1.0e-6, 1.0e4, 1.0), 0.5, 1.0e-4);
  // Both embankment references agree where both apply.
  EXPECT_NEAR(verification::embankment_plane_ratio_numerical(1.0, 1.0, 0.0, 1.0),
              2.0 * verification::osterberg_influence(1.0, 1.0, 1.0), 1.0e-12);
  // The strip's textbook form at the table point z / b = 1 under the centre.
  EXPECT_NEAR(verification::strip_closed_form(1.0, 0.0, 1.0), 0.8183, 0.5e-4);
}

}  // namespace
}  // namespace loads
