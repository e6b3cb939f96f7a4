// A uniformly loaded strip of infinite length.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "loads/load_problem.h"
#include "loads/plan_shape.h"
#include "loads/schedule.h"
#include "site/fields.h"

namespace loads {

struct Strip {
  static constexpr std::string_view kKind = "strip";
  std::optional<std::string> name;
  double x = 0.0;  // a point on the centre line
  double y = 0.0;
  double angle = 0.0;  // degrees: the centre line from the x axis, counter-clockwise
  double width = 0.0;
  double pressure = 0.0;  // negative: an excavation
  double depth = 0.0;
  Schedule schedule;
};

// The fields of the file's table, in its order.
template <typename Visitor, site::RecordOf<Strip> Record>
void visit_fields(Visitor& v, Record& r) {
  v.field("name", r.name);
  v.field("x", r.x);
  v.field("y", r.y);
  v.field("angle", r.angle, 0.0);
  v.field("width", r.width);
  v.field("pressure", r.pressure);
  v.field("depth", r.depth, 0.0);
  visit_fields(v, r.schedule);
}
// What every point needs of a strip, worked out once.
struct PreparedStrip {
  PlanPoint on_centre_line;
  double normal_x = 0.0;  // unit normal to the centre line
  double normal_y = 1.0;
  double half_width = 0.0;
  double pressure = 0.0;
  double level = 0.0;  // the depth at which it acts
};

// The plan outline's length along the centre line, in widths.
constexpr double kStripOutlineWidths = 10.0;

// The errors and warnings of the strip's own fields: a width not above 0, a
// negative depth, a bad schedule; a pressure of 0 is a warning.
LoadProblems check_fields(const Strip& strip);

// REQUIRES: check_fields found no error.
PreparedStrip prepare(const Strip& strip);

// Vertical stress increase (pressure units, signed like the pressure) at depth
// `z` below the strip's level under `point`: q (alpha + sin(alpha) cos(alpha +
// 2 delta)) / pi, alpha the angle the width subtends at the point, delta the
// angle from the vertical to its nearer edge. REQUIRES: z > 0.
double stress_increase(const PreparedStrip& strip, PlanPoint point, double z);

// The z -> 0+ limit at the strip's level: the pressure on it, half on an edge
// (within kOnOutline), 0 beside it.
double surface_stress_increase(const PreparedStrip& strip, PlanPoint point);

// A stretch kStripOutlineWidths widths long, centred on (x, y), marked unbounded.
Outline plan_outline(const Strip& strip);

}  // namespace loads
