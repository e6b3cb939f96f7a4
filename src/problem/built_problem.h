// A problem built in memory instead of read from a file (by a script through
// the Python module): the fields the reader derives from the values it reads,
// and the checks it makes, in its order.
#pragma once

#include <optional>

#include "problem/input_fault.h"
#include "problem/problem_data.h"

namespace problem {

// Sets what the reader derives from the values read: the unit factors, the
// layer boundaries, each point's start sublayer, and each spread area's shape
// (3), depth reference (the problem's option) and blank identifier. Entries
// past a table's capacity are left alone.
void derive_read_fields(ProblemData& problem);

// The checks the reader makes, in its order, on a problem whose tables are
// filled: the four counts, each layer's curve position, the sublayer count,
// each curve's point count, the regular areas' shapes and elevations (all
// listed), the total area count and the depth reference option. Returns the
// first limit fault or the data errors; the faults name no line (0).
std::optional<InputFault> check_built_problem(const ProblemData& problem);

}  // namespace problem
