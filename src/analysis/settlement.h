// The settlement of every sublayer below every settlement point and the total
// settlement of each point.
#pragma once

#include "analysis/analysis_results.h"
#include "layout/record_writer.h"
#include "problem/problem_data.h"

namespace analysis {

// Fills `sublayer_settlement` and `total_settlement` from the average stress
// increases, writing a strain warning to `report` for every point and
// sublayer whose final pressure lies below (or above) its curve.
void compute_settlement(const problem::ProblemData& problem, AnalysisResults& results,
                        layout::RecordWriter& report);

}  // namespace analysis
