// The soil profile cut into sublayers 0.5 length units thick, the depths at
// which stress increases are computed, and the initial state of each sublayer.
#pragma once

#include "problem/problem_data.h"

namespace analysis {

// Fills `sublayers`, `sublayer_count`, `stress_depths` and the overburden
// pressures. REQUIRES: problem::count_sublayers(problem) <= kMaxSublayers.
void form_sublayers(problem::ProblemData& problem);

// Fills `initial_strain` of every sublayer from its curve at its overburden pressure.
void compute_initial_strains(problem::ProblemData& problem);

}  // namespace analysis
