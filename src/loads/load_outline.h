// The plan outline of a load, whatever its kind: what the settlement map's
// extent, the plan and the section draw.
#pragma once

#include "loads/load.h"
#include "loads/plan_shape.h"

namespace loads {

Outline outline_of(const Load& load);

}  // namespace loads
