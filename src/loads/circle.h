// A uniformly loaded circle.
#pragma once

#include <optional>
#include <string>

#include "loads/load_problem.h"
#include "loads/plan_shape.h"
#include "loads/schedule.h"

namespace loads {

struct Circle {
  std::optional<std::string> name;
  double x = 0.0;  // the centre
  double y = 0.0;
  double diameter = 0.0;
  double pressure = 0.0;  // negative: an excavation
  double depth = 0.0;
  Schedule schedule;
};

// What every point needs of a circle, worked out once.
struct PreparedCircle {
  PlanPoint centre;
  double radius = 0.0;
  double pressure = 0.0;
  double level = 0.0;  // the depth at which it acts
};

// The chords of a circle's plan outline: each strays at most 5.4e-4 radius from
// the rim, and the outline reaches the rim at its four extremes along x and y.
constexpr int kCircleChords = 96;

// The errors and warnings of the circle's own fields: a diameter not above 0,
// a negative depth, a bad schedule; a pressure of 0 is a warning.
LoadProblems check_fields(const Circle& circle);

// REQUIRES: check_fields found no error.
PreparedCircle prepare(const Circle& circle);

// Vertical stress increase (pressure units, signed like the pressure) at depth
// `z` below the circle's level under `point`: the exact solution of
// Boussinesq's integral over the disk, through complete and incomplete
// elliptic integrals. REQUIRES: z > 0.
double stress_increase(const PreparedCircle& circle, PlanPoint point, double z);

// The z -> 0+ limit at the circle's level: the pressure inside, half on the
// rim (within kOnOutline of it), 0 outside.
double surface_stress_increase(const PreparedCircle& circle, PlanPoint point);

// The rim as kCircleChords chords, counter-clockwise from the point on +x.
Outline plan_outline(const Circle& circle);

// Vertical stress / pressure at depth `z` and horizontal distance `r` from the
// centre of a uniformly loaded circle of radius `radius`.
// REQUIRES: radius > 0, r >= 0, z > 0, one length unit.
double circle_stress_ratio(double radius, double r, double z);

}  // namespace loads
