// The vertical stress increase of all loaded areas at one depth, on a grid
// over the plan: the map --stress-depth asks for.
#pragma once

#include <optional>

#include "analysis/classic_profile.h"
#include "analysis/settlement_grid.h"
#include "plot/page_input.h"

namespace plot {

// The stress depth of the profile (a sublayer's top, centre or bottom)
// nearest `depth`, the upper of two as near; nothing when `depth` lies below
// the profile's last depth by more than a quarter of its last sublayer.
// REQUIRES: the sublayers of `problem` are formed.
std::optional<double> nearest_stress_depth(const analysis::ClassicProfile& profile, double depth);

// The stress increase at every node of `grid` at the stress depth nearest
// `depth`, as the settlement analysis computes it there, the nodes shared
// over the cores. REQUIRES: nearest_stress_depth(problem, depth) holds a depth.
StressMapInput stress_on_grid(const analysis::ClassicProfile& profile,
                              const analysis::PlanGrid& grid, double depth);

}  // namespace plot
