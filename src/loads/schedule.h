// When a load is applied: it rises linearly from its start over its ramp.
#pragma once

#include "loads/load_problem.h"

namespace loads {

// Times in the project's time unit. A ramp of 0 applies the load at once.
struct Schedule {
  double start = 0.0;
  double ramp = 0.0;
};

// Appends the errors of a schedule: a start or a ramp below 0 (time counts
// from 0).
void check_schedule(const Schedule& schedule, LoadProblems& found);

}  // namespace loads
