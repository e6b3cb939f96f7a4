// A uniformly loaded strip of infinite length.
#pragma once

#include <optional>
#include <string>
#include <string_view>

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

}  // namespace loads
