// A uniformly loaded circle.
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

struct Circle {
  static constexpr std::string_view kKind = "circle";
  std::optional<std::string> name;
  double x = 0.0;  // the centre
  double y = 0.0;
  double diameter = 0.0;
  double pressure = 0.0;  // negative: an excavation
  double depth = 0.0;
  Schedule schedule;
};

// ---- The classic method: the archived arithmetic, in single precision ----

// What every point needs of one circle in the classic method.
struct ClassicCircle {
  float x = 0.0f;
  float y = 0.0f;
  float radius = 0.0f;
  float loading = 0.0f;
  float elevation = 0.0f;
};

ClassicCircle prepare_classic(const Circle& circle);

// Adds the circle's stress increase at the plan point (x, y) and each of
// `depths` to `row`: the archived circle's ratio cut to five decimals, times
// the loading, below the circle's level only.
void add_classic_stress(const ClassicCircle& circle, float x, float y,
                        std::span<const float> depths, std::span<float> row);

// The fields of the file's table, in its order.
template <typename Visitor, site::RecordOf<Circle> Record>
void visit_fields(Visitor& v, Record& r) {
  v.field("name", r.name);
  v.field("x", r.x);
  v.field("y", r.y);
  v.field("diameter", r.diameter);
  v.field("pressure", r.pressure);
  v.field("depth", r.depth, 0.0);
  visit_fields(v, r.schedule);
}
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
