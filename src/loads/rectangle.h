// A uniformly loaded rectangle, possibly turned in plan.
#pragma once

#include <optional>
#include <string>

#include "loads/load_problem.h"
#include "loads/plan_shape.h"
#include "loads/schedule.h"

namespace loads {

struct Rectangle {
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
