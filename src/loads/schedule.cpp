// The checks of a load's schedule.
#include "loads/schedule.h"

namespace loads {

void check_schedule(const Schedule& schedule, LoadProblems& found) {
  require_not_negative(found, "start", schedule.start, "a load's start time");
  require_not_negative(found, "ramp", schedule.ramp, "a load's ramp");
}

}  // namespace loads
