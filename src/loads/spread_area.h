// A total load that spreads downward at 2 (vertical) to 1 (horizontal) from
// its reference level.
#pragma once

#include <optional>
#include <string>

#include "loads/schedule.h"

namespace loads {

// Where the spread starts: at the upper depth, two thirds of the way down to
// the lower depth, or at the lower depth.
enum class SpreadReference { kUpper, kTwoThirds, kLower };

struct SpreadArea {
  std::optional<std::string> name;
  double x = 0.0;  // the centre
  double y = 0.0;
  double x_length = 0.0;  // sides along the x and y axes
  double y_length = 0.0;
  double load = 0.0;                  // total force: kN or kips
  double depth = 0.0;                 // no depth above it is loaded
  std::optional<double> upper_depth;  // default: `depth`
  std::optional<double> lower_depth;  // required for kTwoThirds and kLower
  SpreadReference reference = SpreadReference::kUpper;
  Schedule schedule;
};

}  // namespace loads
