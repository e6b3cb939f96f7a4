// The results of the analysis: stress increases at every settlement point and
// stress depth, their sublayer averages, the settlements, and the warnings of
// final pressures outside their compressibility curve.
#pragma once

#include <cstdint>
#include <vector>

#include "problem/indexed_table.h"
#include "problem/problem_data.h"

namespace analysis {

// One value per stress depth, or per sublayer, below one plan point.
using StressRow = problem::IndexedTable<float, problem::kMaxStressDepths>;
using SublayerRow = problem::IndexedTable<float, problem::kMaxSublayers>;

// Where a final pressure lies outside the range of a point curve.
enum class CurveSide : std::uint8_t {
  kBelow,  // under the first pressure: the first point's strain is used
  kAbove,  // over the last pressure: the last segment is extended
};

// A sublayer below a settlement point whose final pressure lies outside its
// curve: the settlement is computed all the same, and the report says so.
struct StrainWarning {
  int point = 0;           // position in `points`
  int sublayer = 0;        // sublayer number
  std::int32_t curve = 0;  // position of the sublayer's curve in `curves`
  CurveSide side = CurveSide::kBelow;
  float initial_pressure = 0.0f;  // P0, the overburden pressure
  float final_pressure = 0.0f;    // P0 plus the average stress increase
  float curve_pressure = 0.0f;    // the curve's first (below) or last (above) pressure
};

// Rows are settlement points 1..150, columns stress depths 1..1551 or
// sublayers 1..775. About 2 MB: keep it on the heap.
struct AnalysisResults {
  problem::IndexedTable<StressRow, problem::kMaxPoints> stress_increase;
  problem::IndexedTable<SublayerRow, problem::kMaxPoints> average_stress_increase;
  problem::IndexedTable<SublayerRow, problem::kMaxPoints> sublayer_settlement;
  problem::IndexedTable<float, problem::kMaxPoints> total_settlement;
  // Point by point in table order, each point's sublayers top down.
  std::vector<StrainWarning> strain_warnings;
};

}  // namespace analysis
