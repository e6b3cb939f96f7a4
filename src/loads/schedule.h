// When a load is applied: it rises linearly from its start over its ramp.
#pragma once

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

}  // namespace loads
#include "site/fields.h"
