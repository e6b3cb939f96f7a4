// The words of the plausibility warnings: values a problem may hold that are
// almost certainly typed wrong, and values too wide for the report.
#pragma once

#include <cstdint>
#include <string>

#include "problem/input_warning.h"

namespace report {

// The text of a warning of problem::find_plausibility_warnings for a problem
// in `unit_system`; empty for a warning of another kind.
std::string plausibility_text(const problem::InputWarning& warning, std::int32_t unit_system);

}  // namespace report
