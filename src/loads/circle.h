// A uniformly loaded circle.
#pragma once

#include <optional>
#include <string>

#include "loads/schedule.h"

namespace loads {

struct Circle {
  std::optional<std::string> name;
  double x = 0.0;  // the centre
  double y = 0.0;
  double diameter = 0.0;
  double pressure = 0.0;  // negative: an excavation
  double depth = 0.0;
  Schedule schedule;
};

}  // namespace loads
