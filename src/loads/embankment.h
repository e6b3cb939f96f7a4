// A straight embankment of fill: trapezoidal across, uniform along its crest
// centre line, with vertical ends.
#pragma once

#include <optional>
#include <string>

#include "loads/schedule.h"

namespace loads {

struct Embankment {
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

}  // namespace loads
