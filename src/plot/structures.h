// The structures whose points the page compares for distortion: every point
// one structure by default, or the groups --structures names by point number.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/analysis_results.h"
#include "plot/page_point.h"
#include "plot/plot_options.h"
#include "problem/problem_data.h"

namespace plot {

// The name of the one structure of every point when no groups are given.
inline constexpr const char* kAllPoints = "all points";

// What is wrong with `groups` for `problem`: a number no point has, or a
// point named in two groups; nothing when they fit.
std::optional<std::string> check_structures(const problem::ProblemData& problem,
                                            const std::vector<StructureGroup>& groups);

// The points of `problem` with their totals, each in its group's structure
// (kAllPoints for all when `groups` is empty; none for a point no group
// names). REQUIRES: check_structures found nothing.
std::vector<PagePoint> page_points(const problem::ProblemData& problem,
                                   const analysis::AnalysisResults& results,
                                   const std::vector<StructureGroup>& groups);

}  // namespace plot
