// A uniformly loaded strip of infinite length.
#pragma once

#include <optional>
#include <string>

#include "loads/schedule.h"

namespace loads {

struct Strip {
  std::optional<std::string> name;
  double x = 0.0;  // a point on the centre line
  double y = 0.0;
  double angle = 0.0;  // degrees: the centre line from the x axis, counter-clockwise
  double width = 0.0;
  double pressure = 0.0;  // negative: an excavation
  double depth = 0.0;
  Schedule schedule;
};

}  // namespace loads
