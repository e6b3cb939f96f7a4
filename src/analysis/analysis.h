// The analysis of a problem whose profile is formed: the stress increase at
// every settlement point and stress depth, the sublayer averages, the
// settlements and the strain warnings, as values.
#pragma once

#include <cstdint>
#include <memory>

#include "analysis/analysis_results.h"
#include "analysis/stress_increase.h"
#include "problem/problem_data.h"

namespace analysis {

// Analyses every settlement point, the points spread over the cores.
// REQUIRES: the sublayers and initial strains of `problem` are formed.
std::unique_ptr<AnalysisResults> analyse(const problem::ProblemData& problem);

// The total settlement at the plan point (x, y) when settlement starts at
// `start_sublayer`: the analysis of a settlement point there, step for step,
// keeping nothing but the total. `areas` are the prepared areas of `problem`.
float settlement_at(const problem::ProblemData& problem, const PreparedAreas& areas, float x,
                    float y, std::int32_t start_sublayer);

}  // namespace analysis
