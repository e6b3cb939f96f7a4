// A uniformly loaded simple polygon.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "loads/plan_shape.h"
#include "loads/schedule.h"

namespace loads {

struct Polygon {
  std::optional<std::string> name;
  std::vector<PlanPoint> vertices;  // three or more, either orientation
  double pressure = 0.0;            // negative: an excavation
  double depth = 0.0;
  Schedule schedule;
};

}  // namespace loads
