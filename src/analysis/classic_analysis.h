// The classic method's analysis of a prepared profile: the stress increase at
// every settlement point and stress depth, the sublayer averages, the
// settlements and the strain warnings, as values.
#pragma once

#include <cstdint>
#include <memory>

#include "analysis/analysis_results.h"
#include "analysis/classic_profile.h"

namespace analysis {

// Analyses every settlement point of `profile`, the points spread over the cores.
std::unique_ptr<AnalysisResults> analyse(const ClassicProfile& profile);

// The total settlement at the plan point (x, y) when settlement starts at
// `start_sublayer`: the analysis of a settlement point there, step for step,
// keeping nothing but the total.
float settlement_at(const ClassicProfile& profile, float x, float y, std::int32_t start_sublayer);

}  // namespace analysis
