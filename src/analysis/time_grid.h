// The settlement in time on a regular grid over the plan, for maps: at every
// node the column a settlement point there would have (the exact method's
// static analysis of the node, then its time solution), keeping nothing of a
// node but one value.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "analysis/exact_profile.h"
#include "analysis/settlement_grid.h"
#include "analysis/time_analysis.h"
#include "site/project.h"

namespace analysis {

// The first time (time units) at which the primary settlement at each node
// reaches `share` (0 to 1) of its final value, as t90 for share 0.9; not a
// number where it never does, where the final primary is 0, and where a point
// there would be stopped or its column is at fault. Row by row from y0 up,
// each row from x0 rightward, the nodes at x0 + i spacing, y0 + j spacing in
// double precision, settlement counted from `start_layer`. The nodes of a row
// are shared over the cores; `progress`, when given, is called on the calling
// thread after each row with the rows done and the rows in all.
// REQUIRES: the project has a [consolidation] table and passed the checks;
// `setup` is prepare_time of the project and `profile`.
std::vector<float> time_to_share_on_grid(const site::Project& project, const ExactProfile& profile,
                                         const TimeSetup& setup, const PlanGrid& grid,
                                         std::int32_t start_layer, double share,
                                         const std::function<void(int, int)>& progress = {});

// The total settlement (primary and secondary, mm or inches) at each node at
// `time` (>= 0, time units); not a number where the time to a share is.
// Otherwise as time_to_share_on_grid.
std::vector<float> settlement_at_time_on_grid(const site::Project& project,
                                              const ExactProfile& profile, const TimeSetup& setup,
                                              const PlanGrid& grid, std::int32_t start_layer,
                                              double time,
                                              const std::function<void(int, int)>& progress = {});

}  // namespace analysis
