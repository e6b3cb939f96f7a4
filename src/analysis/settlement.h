// The settlement of every sublayer below every settlement point and the total
// settlement of each point.
#pragma once

#include <array>
#include <cstdint>

#include "analysis/analysis_results.h"
#include "layout/record_writer.h"
#include "problem/problem_data.h"

namespace analysis {

// A final pressure outside the range of a point curve.
enum class StrainWarning : std::uint8_t { kBelowCurve, kAboveCurve };

// The strain warnings of one settlement point, in sublayer order.
struct PointWarnings {
  std::int32_t count = 0;
  std::array<StrainWarning, problem::kMaxSublayers> warnings{};
};

// Fills row `point` of `sublayer_settlement` and its `total_settlement`,
// recording its strain warnings in `warnings` (emptied first) instead of
// writing them, so that points may be settled in any order.
// REQUIRES: 1 <= point <= kMaxPoints.
void compute_point_settlement(const problem::ProblemData& problem, AnalysisResults& results,
                              int point, PointWarnings& warnings);

// Writes each recorded warning to `report` as one write of six records.
void write_strain_warnings(layout::RecordWriter& report, const PointWarnings& warnings);

// Fills `sublayer_settlement` and `total_settlement` from the average stress
// increases, writing a strain warning to `report` for every point and
// sublayer whose final pressure lies below (or above) its curve.
void compute_settlement(const problem::ProblemData& problem, AnalysisResults& results,
                        layout::RecordWriter& report);

}  // namespace analysis
