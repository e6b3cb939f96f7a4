// A uniformly loaded rectangle, possibly turned in plan.
#pragma once

#include <optional>
#include <string>

#include "loads/schedule.h"

namespace loads {

struct Rectangle {
  std::optional<std::string> name;
  double x = 0.0;  // the centre
  double y = 0.0;
  double x_length = 0.0;  // along the rectangle's own X side
  double y_length = 0.0;
  double angle = 0.0;  // degrees: the X side turned counter-clockwise from the x axis
  // The archived file's orientation, the tangent of the X side against the x
  // axis; when given it stands in place of `angle`.
  std::optional<double> slope;
  double pressure = 0.0;  // negative: an excavation
  double depth = 0.0;     // the level at which the load acts
  Schedule schedule;
};

}  // namespace loads
