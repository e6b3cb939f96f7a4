// A straight embankment of fill: trapezoidal across, uniform along its crest
// centre line, with vertical ends.
#pragma once

#include <optional>
#include <string>
#include <string_view>

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

}  // namespace loads
