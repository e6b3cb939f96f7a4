// The loaded rectangle. Its classic form sees it from one settlement point
// in single precision: every step is a single-precision operation, left to
// right, because the cuts at the third and fifth decimals turn the last bit of
// an intermediate into a printed digit.
#include "loads/rectangle.h"

#include <cmath>
#include <numbers>

#include "loads/archived_influence.h"

namespace loads {
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
