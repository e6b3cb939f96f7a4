// A uniformly loaded rectangle, possibly turned in plan.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "loads/load_problem.h"
#include "loads/plan_shape.h"
#include "loads/schedule.h"
#include "site/fields.h"

namespace loads {

struct Rectangle {
  static constexpr std::string_view kKind = "rectangle";
  std::optional<std::string> name;
  double x = 0.0;  // the centre
  double y = 0.0;
  double x_length = 0.0;  // along the rectangle's own X side
  double y_length = 0.0;
  double angle = 0.0;  // degrees: the X side turned counter-clockwise from the x axis
  // The archived file's orientation, the tangent of the X side against the x
  // axis; when given it stands in place of `angle`.
  std::optional<double> slope;
  double pressure = 0.0;  // negative: an excavation
  double depth = 0.0;     // the level at which the load acts
  Schedule schedule;
};

// ---- The classic method: the archived arithmetic, in single precision ----

// The corners and side lines of a rectangle, computed once per area.
// Corner 1 is at local (-a, -b), 2 at (a, -b), 3 at (a, b), 4 at (-a, b).
struct RectangleGeometry {
  bool rotated = false;  // slope not exactly 0
  float slope = 0.0f;
  float normal_slope = 0.0f;  // -1 / slope, for rotated areas
  float corner_x[5] = {};     // entry 0 unused
  float corner_y[5] = {};
  float side_12_intercept = 0.0f;  // line through C1 with `slope`
  float side_23_intercept = 0.0f;  // line through C2 with `normal_slope`
  float length_u = 0.0f;           // LU, cut to 0.001
  float length_v = 0.0f;           // LV, cut to 0.001
};

// The point's distances to the rectangle, each cut to 0.001, and its position
// case 1..9 (9 inside; the others name the sides the point lies beyond).
struct RectangleDistances {
  float u1 = 0.0f;  // along u from the point's projection to C1
  float u2 = 0.0f;  // along u to C2
  float lu = 0.0f;
  float v1 = 0.0f;  // along v from the point's projection to C2
  float v2 = 0.0f;  // along v to C3
  float lv = 0.0f;
  int position_case = 9;
};

// Corners and side lines of the rectangle centred at (x, y) whose X side has
// the tangent `slope` against the x axis.
RectangleGeometry rectangle_geometry(float x, float y, float x_length, float y_length, float slope);

// Distances and position case of the point (px, py).
RectangleDistances rectangle_distances(const RectangleGeometry& rectangle, float px, float py);

// Signed sum of the four corner factors at depth `z` below the loaded level.
// REQUIRES: z >= 0.
float rectangle_influence_sum(const RectangleDistances& distances, float z);

// `value` cut toward zero at the fifth decimal, as the contributions use it.
float cut_to_five_decimals(float value);

// What every point needs of one rectangle in the classic method.
struct ClassicRectangle {
  RectangleGeometry geometry;
  float loading = 0.0f;
  float elevation = 0.0f;
};

ClassicRectangle prepare_classic(const Rectangle& rectangle);

// Adds the rectangle's stress increase at the plan point (x, y) and each of
// `depths` to `row` (one entry a depth): the influence sum cut to five
// decimals, times the loading, below the rectangle's level only.
void add_classic_stress(const ClassicRectangle& rectangle, float x, float y,
                        std::span<const float> depths, std::span<float> row);

// The fields of the file's table, in its order.
template <typename Visitor, site::RecordOf<Rectangle> Record>
void visit_fields(Visitor& v, Record& r) {
  v.field("name", r.name);
  v.field("x", r.x);
  v.field("y", r.y);
  v.field("x_length", r.x_length);
  v.field("y_length", r.y_length);
  v.field("angle", r.angle, 0.0);
  v.field("slope", r.slope);
  v.field("pressure", r.pressure);
  v.field("depth", r.depth, 0.0);
  visit_fields(v, r.schedule);
}
// What every point needs of a rectangle, worked out once.
struct PreparedRectangle {
  PlanPoint centre;
  double half_x = 0.0;  // half the X side
  double half_y = 0.0;
  double cos_angle = 1.0;  // of the X side against the x axis
  double sin_angle = 0.0;
  double pressure = 0.0;
  double level = 0.0;  // the depth at which it acts
};

// The errors and warnings of the rectangle's own fields: sides not above 0, a
// negative depth, a bad schedule; a pressure of 0 is a warning.
LoadProblems check_fields(const Rectangle& rectangle);

// REQUIRES: check_fields found no error.
PreparedRectangle prepare(const Rectangle& rectangle);

// Vertical stress increase (pressure units, signed like the pressure) at depth
// `z` below the rectangle's level under the plan point `point`, inside or
// outside. REQUIRES: z > 0.
double stress_increase(const PreparedRectangle& rectangle, PlanPoint point, double z);

// The z -> 0+ limit of stress_increase at the rectangle's level: the pressure
// inside, half on a side, a quarter at a corner, 0 outside; within kOnOutline
// of the outline counts as on it.
double surface_stress_increase(const PreparedRectangle& rectangle, PlanPoint point);

// The four corners, counter-clockwise.
Outline plan_outline(const Rectangle& rectangle);

// Vertical stress / pressure at depth `z` below the origin of a uniformly
// loaded rectangle spanning x1..x2 by y1..y2 (lengths in one unit, axes along
// its sides), wherever the origin lies. REQUIRES: z > 0, x1 <= x2, y1 <= y2.
double rectangle_stress_ratio(double x1, double x2, double y1, double y2, double z);

}  // namespace loads
