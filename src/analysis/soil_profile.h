// The soil profile cut into sublayers 0.5 length units thick, the depths at
// which stress increases are computed, and the initial state of each sublayer.
#pragma once

#include <cstdint>

#include "problem/problem_data.h"

namespace analysis {

constexpr float kSublayerThickness = 0.5f;

// The first sublayer that takes part in a point's settlement when it starts at
// soil layer `start_layer`; 0 (every sublayer) when that is not a layer read.
// Uses the layer depths read so far.
std::int32_t start_sublayer_of(const problem::ProblemData& problem, std::int32_t start_layer);

// The number of sublayers the layers read so far give (the division rule).
// Counts past the table's capacity without storing anything.
std::int64_t count_sublayers(const problem::ProblemData& problem);

// Fills `sublayers`, `sublayer_count`, `stress_depths` and the overburden
// pressures. REQUIRES: count_sublayers(problem) <= kMaxSublayers.
void form_sublayers(problem::ProblemData& problem);

// Fills `initial_strain` of every sublayer from its curve at its overburden pressure.
void compute_initial_strains(problem::ProblemData& problem);

}  // namespace analysis
