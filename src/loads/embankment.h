// A straight embankment of fill: trapezoidal across, uniform along its crest
// centre line, with vertical ends.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "loads/load_problem.h"
#include "loads/plan_shape.h"
#include "loads/schedule.h"
#include "site/fields.h"

namespace loads {

struct Embankment {
  static constexpr std::string_view kKind = "embankment";
  std::optional<std::string> name;
  double x1 = 0.0;  // the crest centre line, from (x1, y1) to (x2, y2)
  double y1 = 0.0;
  double x2 = 0.0;
  double y2 = 0.0;
  double crest_width = 0.0;
  double height = 0.0;
  double side_slope = 0.0;   // horizontal per vertical
  double unit_weight = 0.0;  // of the fill: kN/m3 or lb/ft3
  double depth = 0.0;
  Schedule schedule;
};

// The fields of the file's table, in its order.
template <typename Visitor, site::RecordOf<Embankment> Record>
void visit_fields(Visitor& v, Record& r) {
  v.field("name", r.name);
  v.field("x1", r.x1);
  v.field("y1", r.y1);
  v.field("x2", r.x2);
  v.field("y2", r.y2);
  v.field("crest_width", r.crest_width);
  v.field("height", r.height);
  v.field("side_slope", r.side_slope);
  v.field("unit_weight", r.unit_weight);
  v.field("depth", r.depth, 0.0);
  visit_fields(v, r.schedule);
}
// Pressure units per unit weight times length: kN/m3 x m = kPa, and
// lb/ft3 x ft = psf = 0.001 ksf.
constexpr double kSiFillPressureFactor = 1.0;
constexpr double kUsFillPressureFactor = 0.001;

// What every point needs of an embankment, worked out once. Across is the
// along direction turned a quarter counter-clockwise.
struct PreparedEmbankment {
  PlanPoint start;  // (x1, y1)
  double along_x = 1.0;
  double along_y = 0.0;
  double length = 0.0;
  double crest_half_width = 0.0;
  double side_width = 0.0;  // horizontal reach of each side slope: side_slope x height
  double pressure = 0.0;    // under the crest: unit_weight x height x factor
  double level = 0.0;       // the depth at which it acts
};

// The errors of the embankment's own fields: a crest width or side slope below
// 0, both 0 (no width), a height or unit weight not above 0, a crest line of no
// length, a negative depth, a bad schedule.
LoadProblems check_fields(const Embankment& embankment);

// `fill_pressure_factor` turns unit weight x height into pressure units
// (kSiFillPressureFactor or kUsFillPressureFactor).
// REQUIRES: check_fields found no error.
PreparedEmbankment prepare(const Embankment& embankment, double fill_pressure_factor);

// Vertical stress increase (pressure units) at depth `z` below the
// embankment's level under `point`: the crest's uniform rectangle and the two
// sides' rectangles under a load falling linearly to the toes, each in closed
// form. REQUIRES: z > 0.
double stress_increase(const PreparedEmbankment& embankment, PlanPoint point, double z);

// The z -> 0+ limit at the embankment's level: the fill's pressure there
// (half at a vertical side's edge), halved on an end and quartered where an
// end meets a vertical side; 0 beyond the footprint. Within kOnOutline of an
// end or an edge counts as on it.
double surface_stress_increase(const PreparedEmbankment& embankment, PlanPoint point);

// The footprint (toe lines and ends) as the ring, counter-clockwise; the crest
// edges as lines (one ridge line when the crest has no width; none when the
// sides are vertical and the crest edges are the toes).
Outline plan_outline(const Embankment& embankment);

}  // namespace loads
