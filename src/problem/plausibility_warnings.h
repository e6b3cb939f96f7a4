// The warnings of values that a problem may hold but that are almost
// certainly typed wrong: a unit system the program does not know, a unit
// weight no soil has, a loading far beyond every curve of the profile, two
// areas or points of one name, values too wide for the report's columns.
#pragma once

#include <vector>

#include "problem/input_warning.h"
#include "problem/problem_data.h"
#include "problem/source_lines.h"

namespace problem {

// The unit weights soils have, in lb/ft3 and in kN/m3 (as the file gives
// them): wide enough for the buoyant weights given below the water table.
constexpr float kLeastUsUnitWeight = 40.0f;
constexpr float kMostUsUnitWeight = 170.0f;
constexpr float kLeastSiUnitWeight = 6.0f;
constexpr float kMostSiUnitWeight = 27.0f;

// A loading is far beyond the curves when it is more than this many times the
// largest pressure of every point curve that the loaded profile uses.
constexpr float kFarBeyondCurves = 10.0f;

// Appends the warnings above to `out`: the unit system, each layer's unit
// weight (a weight of 0 or less has a warning of its own), each area's
// loading, the repeated identifiers and point numbers, and the values of
// Tables 2 to 5 that print as asterisks, one warning a record.
void find_plausibility_warnings(const ProblemData& problem, const SourceLines& lines,
                                std::vector<InputWarning>& out);

}  // namespace problem
