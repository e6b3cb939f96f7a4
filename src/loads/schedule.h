// When a load is applied: it rises linearly from its start over its ramp.
#pragma once

namespace loads {

// Times in the project's time unit. A ramp of 0 applies the load at once.
struct Schedule {
  double start = 0.0;
  double ramp = 0.0;
};

}  // namespace loads
