// A uniformly loaded circle.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

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

}  // namespace loads
