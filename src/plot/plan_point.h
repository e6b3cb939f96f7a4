// A place on the plan, in the problem's length unit, +y up.
#pragma once

namespace plot {

struct PlanPoint {
  double x = 0.0;
  double y = 0.0;
};

}  // namespace plot
