// When a load is applied: it rises linearly from its start over its ramp.
#pragma once

#include "loads/load_problem.h"
#include "site/fields.h"

namespace loads {

// Times in the project's time unit. A ramp of 0 applies the load at once.
struct Schedule {
  double start = 0.0;
  double ramp = 0.0;
};

template <typename Visitor, site::RecordOf<Schedule> Record>
void visit_fields(Visitor& v, Record& r) {
  v.field("start", r.start, 0.0);
  v.field("ramp", r.ramp, 0.0);
}
// Appends the errors of a schedule: a start or a ramp below 0 (time counts
// from 0).
void check_schedule(const Schedule& schedule, LoadProblems& found);

}  // namespace loads
#include "site/fields.h"
