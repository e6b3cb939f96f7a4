// A load as the stress computation uses it: one prepared form per kind, with
// its level and its stress increase below and at that level.
#pragma once

#include <variant>

#include "loads/load.h"
#include "loads/plan_shape.h"

namespace loads {

using PreparedLoad = std::variant<PreparedRectangle, PreparedCircle, PreparedSpreadArea,
                                  PreparedPolygon, PreparedStrip, PreparedEmbankment>;

// The kind's prepared form. `fill_pressure_factor` turns an embankment's unit
// weight times height into pressure units (kSiFillPressureFactor or
// kUsFillPressureFactor); the other kinds do not use it.
// REQUIRES: check_fields(load) found no error.
PreparedLoad prepare(const Load& load, double fill_pressure_factor);

// The depth at which the load acts (a spread area's reference level).
double level(const PreparedLoad& load);

// The vertical stress increase at depth `z` below the load's level under
// `point`, in pressure units. REQUIRES: z > 0.
double stress_increase(const PreparedLoad& load, PlanPoint point, double z);

// Its z -> 0+ limit at the load's level.
double surface_stress_increase(const PreparedLoad& load, PlanPoint point);

}  // namespace loads
