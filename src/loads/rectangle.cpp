// The uniformly loaded rectangle: Newmark's corner solution superposed over
// the four rectangles that share the point's projection as a corner.
#include "loads/rectangle.h"

#include <algorithm>
#include <boost/math/constants/constants.hpp>
#include <boost/math/special_functions/cos_pi.hpp>
#include <boost/math/special_functions/sin_pi.hpp>
#include <cmath>

namespace loads {
namespace {

constexpr double kPi = boost::math::constants::pi<double>();

// Newmark (1935): stress / pressure under the corner of a loaded rectangle of
// sides x and y at depth z. With m = x/z, n = y/z and V = m^2 + n^2 + 1,
//
//   I = [ 2mn sqrt(V) (V + 1) / (V (V + m^2 n^2)) + atan(2mn sqrt(V) / (V - m^2 n^2)) ] / 4 pi,
//
// written here in the lengths themselves (R^2 = x^2 + y^2 + z^2 = V z^2). Where
// V < m^2 n^2 the arctangent belongs in (pi/2, pi): atan2 puts it there.
double corner_ratio(double x, double y, double z) {
  const double r_sq = x * x + y * y + z * z;
  const double r = std::sqrt(r_sq);
  const double xy = x * y;
  const double twice_xyrz = 2.0 * xy * r * z;
  const double z_sq = z * z;
  const double algebraic = twice_xyrz * (r_sq + z_sq) / (r_sq * (r_sq * z_sq + xy * xy));
  const double angle = std::atan2(twice_xyrz, r_sq * z_sq - xy * xy);
  return (algebraic + angle) / (4.0 * kPi);
}

// The rectangle from the origin to (x, y), counted negative when it reaches
// into the second or fourth quadrant: four of them superpose to any rectangle.
double signed_corner_ratio(double x, double y, double z) {
  const double ratio = corner_ratio(std::abs(x), std::abs(y), z);
  return (x < 0.0) != (y < 0.0) ? -ratio : ratio;
}

// The point in the rectangle's own axes, from its centre.
PlanPoint local_position(const PreparedRectangle& r, PlanPoint point) {
  const double dx = point.x - r.centre.x;
  const double dy = point.y - r.centre.y;
  return {dx * r.cos_angle + dy * r.sin_angle, -dx * r.sin_angle + dy * r.cos_angle};
}

}  // namespace

LoadProblems check_fields(const Rectangle& rectangle) {
  LoadProblems found;
  require_positive(found, "x_length", rectangle.x_length, "a rectangle's x_length");
  require_positive(found, "y_length", rectangle.y_length, "a rectangle's y_length");
  require_not_negative(found, "depth", rectangle.depth, "a load's depth");
  warn_if_zero(found, "pressure", rectangle.pressure);
  check_schedule(rectangle.schedule, found);
  return found;
}

PreparedRectangle prepare(const Rectangle& rectangle) {
  PreparedRectangle p;
  p.centre = {rectangle.x, rectangle.y};
  p.half_x = rectangle.x_length / 2.0;
  p.half_y = rectangle.y_length / 2.0;
  if (rectangle.slope) {
    // The archived tangent s stands for the angle atan(s).
    const double s = *rectangle.slope;
    const double root = std::sqrt(1.0 + s * s);
    p.cos_angle = 1.0 / root;
    p.sin_angle = s / root;
  } else {
    // In half turns, so that a right angle gives a cosine of 0 exactly.
    const double half_turns = rectangle.angle / 180.0;
    p.cos_angle = boost::math::cos_pi(half_turns);
    p.sin_angle = boost::math::sin_pi(half_turns);
  }
  p.pressure = rectangle.pressure;
  p.level = rectangle.depth;
  return p;
}

double rectangle_stress_ratio(double x1, double x2, double y1, double y2, double z) {
  return signed_corner_ratio(x2, y2, z) - signed_corner_ratio(x1, y2, z) -
         signed_corner_ratio(x2, y1, z) + signed_corner_ratio(x1, y1, z);
}

double stress_increase(const PreparedRectangle& rectangle, PlanPoint point, double z) {
  const PlanPoint local = local_position(rectangle, point);
  const double ratio =
      rectangle_stress_ratio(-rectangle.half_x - local.x, rectangle.half_x - local.x,
                             -rectangle.half_y - local.y, rectangle.half_y - local.y, z);
  return rectangle.pressure * ratio;
}

double surface_stress_increase(const PreparedRectangle& rectangle, PlanPoint point) {
  const PlanPoint local = local_position(rectangle, point);
  // How far beyond each pair of sides the point lies (negative: between them).
  const double beyond_x = std::abs(local.x) - rectangle.half_x;
  const double beyond_y = std::abs(local.y) - rectangle.half_y;
  if (std::hypot(std::max(beyond_x, 0.0), std::max(beyond_y, 0.0)) > kOnOutline) return 0.0;
  const bool on_x_side = std::abs(beyond_x) <= kOnOutline;
  const bool on_y_side = std::abs(beyond_y) <= kOnOutline;
  if (on_x_side && on_y_side) return rectangle.pressure / 4.0;
  if (on_x_side || on_y_side) return rectangle.pressure / 2.0;
  return rectangle.pressure;
}

Outline plan_outline(const Rectangle& rectangle) {
  const PreparedRectangle p = prepare(rectangle);
  const double u[4] = {-p.half_x, p.half_x, p.half_x, -p.half_x};
  const double v[4] = {-p.half_y, -p.half_y, p.half_y, p.half_y};
  Outline outline;
  for (int i = 0; i < 4; ++i) {
    outline.ring.push_back({p.centre.x + u[i] * p.cos_angle - v[i] * p.sin_angle,
                            p.centre.y + u[i] * p.sin_angle + v[i] * p.cos_angle});
  }
  return outline;
}

}  // namespace loads
