// The result tables of the analysis: stress increases at every settlement point
// and stress depth, their sublayer averages, and the settlements.
#pragma once

#include <array>

#include "problem/problem_data.h"

namespace analysis {

// Rows are settlement points 1..150, columns stress depths 1..1551 or
// sublayers 1..775; row and column 0 are unused. About 2 MB: keep it on the heap.
struct AnalysisResults {
  template <int Columns>
  using Table = std::array<std::array<float, Columns + 1>, problem::kMaxPoints + 1>;

  Table<problem::kMaxStressDepths> stress_increase{};
  Table<problem::kMaxSublayers> average_stress_increase{};
  Table<problem::kMaxSublayers> sublayer_settlement{};
  std::array<float, problem::kMaxPoints + 1> total_settlement{};
};

}  // namespace analysis
