// The vertical stress increase that all loaded areas together cause at every
// settlement point and stress depth, and its average over each sublayer.
#pragma once

#include "analysis/analysis_results.h"
#include "layout/record_writer.h"
#include "problem/problem_data.h"

namespace analysis {

// Fills `stress_increase` for points 1..point_count and stress depths
// 1..2*sublayer_count+1, writing one trace line per area and point to `trace`.
void compute_stress_increase(const problem::ProblemData& problem, AnalysisResults& results,
                             layout::RecordWriter& trace);

// Fills `average_stress_increase` by Simpson's rule over each sublayer; 0 above
// each point's start sublayer.
void average_stress_increase(const problem::ProblemData& problem, AnalysisResults& results);

}  // namespace analysis
