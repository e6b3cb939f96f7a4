// The checks of a load's own fields, whatever its kind.
#pragma once

#include <vector>

#include "loads/load.h"
#include "site/diagnostic.h"

namespace loads {

// Every error and warning of the load's values, each naming its key in the
// load's table.
std::vector<site::Diagnostic> check_load(const Load& load);

}  // namespace loads
