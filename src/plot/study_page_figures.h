// The figures of a project's study for its page: every sample's settlement
// at each point, run as settle study runs them (same seed, same values), and
// the map of the chance of exceeding the study's settlement limit.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "analysis/settlement_grid.h"
#include "plot/study_charts.h"
#include "site/project.h"

namespace plot {

// The figures of the study of `project` (which has a [study] table), the map
// over `grid` from its first `grid_samples` samples (at most the study's).
// A study that cannot run (its checks, a sample that cannot be analysed)
// has its diagnostics shown on `console` and gives nullopt.
std::optional<StudyPageInput> study_page_figures(std::ostream& console, const std::string& file,
                                                 const site::Project& project,
                                                 const analysis::PlanGrid& grid,
                                                 std::int32_t start_layer,
                                                 std::int64_t grid_samples);

}  // namespace plot
