// A uniformly loaded simple polygon.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "loads/load_problem.h"
#include "loads/plan_shape.h"
#include "loads/schedule.h"
#include "site/fields.h"

namespace loads {

struct Polygon {
  static constexpr std::string_view kKind = "polygon";
  std::optional<std::string> name;
  std::vector<PlanPoint> vertices;  // three or more, either orientation
  double pressure = 0.0;            // negative: an excavation
  double depth = 0.0;
  Schedule schedule;
};

// The fields of the file's table, in its order.
template <typename Visitor, site::RecordOf<Polygon> Record>
void visit_fields(Visitor& v, Record& r) {
  v.field("name", r.name);
  v.field("vertices", r.vertices);
  v.field("pressure", r.pressure);
  v.field("depth", r.depth, 0.0);
  visit_fields(v, r.schedule);
}
// What every point needs of a polygon, worked out once: its vertices
// counter-clockwise, and for each edge (from vertex i to i + 1) its unit
// direction, and for each vertex its interior angle.
struct PreparedPolygon {
  std::vector<PlanPoint> vertices;
  std::vector<PlanPoint> directions;
  std::vector<double> interior_angles;  // radians, 0 to 2 pi
  double pressure = 0.0;
  double level = 0.0;  // the depth at which it acts
};

// The errors and warnings of the polygon's own fields: fewer than three
// vertices, a vertex given twice, crossing or folded edges, an area of 0, a
// negative depth, a bad schedule; a pressure of 0 is a warning.
LoadProblems check_fields(const Polygon& polygon);

// REQUIRES: check_fields found no error.
PreparedPolygon prepare(const Polygon& polygon);

// Vertical stress increase (pressure units, signed like the pressure) at depth
// `z` below the polygon's level under `point`: the exact integral of
// Boussinesq's point load, as a sum of closed forms over the edges.
// REQUIRES: z > 0.
double stress_increase(const PreparedPolygon& polygon, PlanPoint point, double z);

// The z -> 0+ limit at the polygon's level: the pressure inside, half on an
// edge, the interior angle over 2 pi at a vertex, 0 outside; within
// kOnOutline of the outline counts as on it.
double surface_stress_increase(const PreparedPolygon& polygon, PlanPoint point);

// The vertices as given.
Outline plan_outline(const Polygon& polygon);

}  // namespace loads
