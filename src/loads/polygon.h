// A uniformly loaded simple polygon.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

}  // namespace loads
