// A settlement point as the page compares it: its place, its total, the layer
// its settlement starts at and the structure it belongs to.
#pragma once

#include <cstdint>
#include <string>

#include "plot/plan_point.h"

namespace plot {

struct PagePoint {
  int position = 0;         // 1.. in the problem's list of points
  std::int32_t number = 0;  // as the problem file numbers it
  PlanPoint at;
  double settlement = 0.0;       // settlement unit
  std::int32_t start_layer = 1;  // one the profile lacks (every layer) is held as 1
  // Points are compared for distortion only within one structure; a point of
  // no structure (empty) is compared with none.
  std::string structure;
};

}  // namespace plot
