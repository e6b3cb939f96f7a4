// The uniformly loaded rectangle: Newmark's corner solution superposed over
// the four rectangles that share the point's projection as a corner.
#include "loads/rectangle.h"

#include <algorithm>
#include <boost/math/constants/constants.hpp>
#include <boost/math/special_functions/cos_pi.hpp>
#include <boost/math/special_functions/sin_pi.hpp>
#include <cmath>
#include <complex>
#include <numbers>

#include "loads/archived_influence.h"

namespace loads {
namespace {

constexpr double kPi = boost::math::constants::pi<double>();

// Newmark (1935): stress / pressure under the corner of a loaded rectangle of
// sides x and y at depth z. With m = x/z, n = y/z and V = m^2 + n^2 + 1,
//
//   I = [ 2mn sqrt(V) (V + 1) / (V (V + m^2 n^2)) + atan(2mn sqrt(V) / (V - m^2 n^2)) ] / 4 pi,
//
// written here in the lengths themselves (R^2 = x^2 + y^2 + z^2 = V z^2). The
// angle is that of the vector (R^2 z^2 - x^2 y^2, 2 x y R z), in [0, pi): where
// V < m^2 n^2 it belongs in (pi/2, pi). It is kept as the vector, so that the
// angles of several corners add as one product of complex numbers.
struct CornerTerms {
  double algebraic;  // the first term, times 4 pi
  std::complex<double> angle_vector;
};

CornerTerms corner_terms(double x, double y, double z) {
  const double r_sq = x * x + y * y + z * z;
  const double r = std::sqrt(r_sq);
  const double xy = x * y;
  const double twice_xyrz = 2.0 * xy * r * z;
  const double z_sq = z * z;
  // The vector's length is R^2 z^2 + x^2 y^2 exactly: divided by it, the
  // products of several stay of length 1 however long the sides.
  const double length = r_sq * z_sq + xy * xy;
  return {twice_xyrz * (r_sq + z_sq) / (r_sq * length),
          {(r_sq * z_sq - xy * xy) / length, twice_xyrz / length}};
}

// The rectangle from the origin to (x, y) counts negative when it reaches
// into the second or fourth quadrant: four of them superpose to any rectangle.
struct SignedCorner {
  CornerTerms terms;
  bool negative;
};

SignedCorner signed_corner(double x, double y, double z, bool negative) {
  return {corner_terms(std::abs(x), std::abs(y), z), negative != ((x < 0.0) != (y < 0.0))};
}

// The signed sum of two corners' angles, each in [0, pi), by one arctangent:
// a sum lies in [0, 2 pi), a difference in (-pi, pi).
double angle_pair(const SignedCorner& a, const SignedCorner& b) {
  if (a.negative == b.negative) {
    const std::complex<double> product = a.terms.angle_vector * b.terms.angle_vector;
    double angle = std::atan2(product.imag(), product.real());
    if (angle < 0.0) angle += 2.0 * kPi;
    return a.negative ? -angle : angle;
  }
  const std::complex<double> quotient = a.terms.angle_vector * std::conj(b.terms.angle_vector);
  const double angle = std::atan2(quotient.imag(), quotient.real());
  return a.negative ? -angle : angle;
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
  const SignedCorner corners[4] = {signed_corner(x2, y2, z, false), signed_corner(x1, y2, z, true),
                                   signed_corner(x2, y1, z, true), signed_corner(x1, y1, z, false)};
  double algebraic = 0.0;
  for (const SignedCorner& corner : corners)
    algebraic += corner.negative ? -corner.terms.algebraic : corner.terms.algebraic;
  const double angles = angle_pair(corners[0], corners[1]) + angle_pair(corners[2], corners[3]);
  return (algebraic + angles) / (4.0 * kPi);
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

// ---- The classic method: the archived arithmetic, in single precision ----

namespace {

// Points this close to a side count as lying on it.
constexpr float kTolerance = 0.05f;

float cut_to_millimetre(float d) { return std::trunc(d * 1000.0f) / 1000.0f; }

float distance(float x1, float y1, float x2, float y2) {
  const float dx = x2 - x1;
  const float dy = y2 - y1;
  return std::sqrt(dx * dx + dy * dy);
}

bool near(float x, float y) { return std::abs(x - y) <= kTolerance; }

// Which corner factors a position case subtracts, F1..F4. The point is the
// shared corner of four rectangles reaching towards the area's corners; where
// it lies beyond a side, the rectangles on the far side overreach and are
// taken away again.
//
//            v
//       4    2    3
//         C4---C3
//       8  | 9 |  1     -> u
//         C1---C2
//       7    5    6
struct Negation {
  bool f1, f2, f3, f4;
};
constexpr Negation kNegations[10] = {
    {false, false, false, false},  // unused
    {true, true, false, false},    // 1 beyond the C2 end
    {true, false, true, false},    // 2 beyond the C3-C4 side
    {false, true, true, false},    // 3
    {true, false, false, true},    // 4
    {false, true, false, true},    // 5 beyond the C1-C2 side
    {true, false, false, true},    // 6
    {false, true, true, false},    // 7
    {false, false, true, true},    // 8 beyond the C1 end
    {false, false, false, false},  // 9 inside
};

// At the loaded level a corner rectangle carries the full quarter unless the
// point lies on one of its sides.
float surface_factor(float m_distance, float n_distance) {
  return m_distance > kTolerance && n_distance > kTolerance ? 0.25f : 0.0f;
}

// Position case 1..9 of a point from its distances, with the 0.05 tolerance.
int position_case(float u1, float u2, float lu, float v1, float v2, float lv) {
  // The distances along one axis add up to the side length exactly when the
  // point lies between the side's ends; beyond an end, the far distance is
  // the near one plus the length.
  const bool inside_u = near(u1 + u2, lu);
  const bool inside_v = near(v1 + v2, lv);
  if (inside_u && inside_v) return 9;
  if (near(v2 + lv, v1)) {
    if (near(u2 + lu, u1)) return 3;
    return inside_u ? 2 : 4;
  }
  if (near(lv + v1, v2)) {
    if (near(u2 + lu, u1)) return 6;
    if (near(u1 + lu, u2)) return 7;
    return 5;
  }
  return near(u1 + lu, u2) ? 8 : 1;
}

// The archived orientation: the tangent of the X side, from `slope` when the
// rectangle gives one, else from its angle.
float classic_slope(const Rectangle& rectangle) {
  if (rectangle.slope) return static_cast<float>(*rectangle.slope);
  if (rectangle.angle == 0.0) return 0.0f;
  return static_cast<float>(std::tan(rectangle.angle * std::numbers::pi / 180.0));
}

}  // namespace

RectangleGeometry rectangle_geometry(float x, float y, float x_length, float y_length, float s) {
  RectangleGeometry g;
  const float root = std::sqrt(1.0f + s * s);
  const float c = 1.0f / root;
  const float t = s / root;
  const float a = x_length * 0.5f;
  const float b = y_length * 0.5f;
  const float local_u[5] = {0.0f, -a, a, a, -a};
  const float local_v[5] = {0.0f, -b, -b, b, b};
  for (int i = 1; i <= 4; ++i) {
    g.corner_x[i] = x + local_u[i] * c - local_v[i] * t;
    g.corner_y[i] = y + local_u[i] * t + local_v[i] * c;
  }

  g.rotated = s != 0.0f;
  g.slope = s;
  if (g.rotated) {
    g.normal_slope = -1.0f / s;
    g.side_12_intercept = g.corner_y[1] - s * g.corner_x[1];
    g.side_23_intercept = g.corner_y[2] - g.normal_slope * g.corner_x[2];
    g.length_u = distance(g.corner_x[1], g.corner_y[1], g.corner_x[2], g.corner_y[2]);
    g.length_v = distance(g.corner_x[1], g.corner_y[1], g.corner_x[4], g.corner_y[4]);
  } else {
    g.length_u = std::abs(g.corner_x[2] - g.corner_x[1]);
    g.length_v = std::abs(g.corner_y[1] - g.corner_y[4]);
  }
  g.length_u = cut_to_millimetre(g.length_u);
  g.length_v = cut_to_millimetre(g.length_v);
  return g;
}

RectangleDistances rectangle_distances(const RectangleGeometry& g, float px, float py) {
  RectangleDistances d;
  if (g.rotated) {
    // A: foot of the perpendicular from P on side C1-C2; B: on side C2-C3.
    // Each is the crossing of two lines y = slope * x + intercept.
    const float p_normal_intercept = py - g.normal_slope * px;
    const float ax = (g.side_12_intercept - p_normal_intercept) / (g.normal_slope - g.slope);
    const float ay = g.slope * ax + g.side_12_intercept;
    const float p_side_intercept = py - g.slope * px;
    const float bx = (g.side_23_intercept - p_side_intercept) / (g.slope - g.normal_slope);
    const float by = g.normal_slope * bx + g.side_23_intercept;
    d.u1 = distance(g.corner_x[1], g.corner_y[1], ax, ay);
    d.u2 = distance(g.corner_x[2], g.corner_y[2], ax, ay);
    d.v1 = distance(g.corner_x[2], g.corner_y[2], bx, by);
    d.v2 = distance(g.corner_x[3], g.corner_y[3], bx, by);
  } else {
    d.u1 = std::abs(g.corner_x[1] - px);
    d.u2 = std::abs(g.corner_x[2] - px);
    d.v1 = std::abs(py - g.corner_y[2]);
    d.v2 = std::abs(g.corner_y[3] - py);
  }
  d.u1 = cut_to_millimetre(d.u1);
  d.u2 = cut_to_millimetre(d.u2);
  d.v1 = cut_to_millimetre(d.v1);
  d.v2 = cut_to_millimetre(d.v2);
  d.lu = g.length_u;
  d.lv = g.length_v;
  d.position_case = position_case(d.u1, d.u2, d.lu, d.v1, d.v2, d.lv);
  return d;
}

float rectangle_influence_sum(const RectangleDistances& d, float z) {
  float f1, f2, f3, f4;
  if (z == 0.0f) {
    f1 = surface_factor(d.u2, d.v2);
    f2 = surface_factor(d.u2, d.v1);
    f3 = surface_factor(d.u1, d.v2);
    f4 = surface_factor(d.u1, d.v1);
  } else {
    f4 = rectangle_corner_factor(d.u1 / z, d.v1 / z);
    f3 = rectangle_corner_factor(d.u1 / z, d.v2 / z);
    f2 = rectangle_corner_factor(d.u2 / z, d.v1 / z);
    f1 = rectangle_corner_factor(d.u2 / z, d.v2 / z);
  }
  const Negation& negate = kNegations[d.position_case];
  if (negate.f1) f1 = -f1;
  if (negate.f2) f2 = -f2;
  if (negate.f3) f3 = -f3;
  if (negate.f4) f4 = -f4;
  return f2 + f4 + f1 + f3;
}

float cut_to_five_decimals(float value) { return std::trunc(value * 100000.0f) * 0.00001f; }

ClassicRectangle prepare_classic(const Rectangle& rectangle) {
  return {rectangle_geometry(static_cast<float>(rectangle.x), static_cast<float>(rectangle.y),
                             static_cast<float>(rectangle.x_length),
                             static_cast<float>(rectangle.y_length), classic_slope(rectangle)),
          static_cast<float>(rectangle.pressure), static_cast<float>(rectangle.depth)};
}

void add_classic_stress(const ClassicRectangle& rectangle, float x, float y,
                        std::span<const float> depths, std::span<float> row) {
  const RectangleDistances distances = rectangle_distances(rectangle.geometry, x, y);
  for (std::size_t k = 0; k < depths.size(); ++k) {
    const float z = depths[k] - rectangle.elevation;
    if (z < 0.0f) continue;
    const float sum = rectangle_influence_sum(distances, z);
    row[k] += cut_to_five_decimals(sum) * rectangle.loading;
  }
}

}  // namespace loads
