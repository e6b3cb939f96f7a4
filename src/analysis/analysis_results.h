// The results of the classic method: stress increases at every settlement
// point and stress depth, their sublayer averages, the settlements, and the
// warnings of final pressures outside their compressibility curve. Sized to
// the project: one row a point.
#pragma once

#include <cstdint>
#include <vector>

#include "analysis/indexed_vector.h"

namespace analysis {

// One value per stress depth, or per sublayer, below one plan point.
using StressRow = IndexedVector<float>;
using SublayerRow = IndexedVector<float>;

// Where a final pressure lies outside the range of a point curve.
enum class CurveSide : std::uint8_t {
  kBelow,  // under the first pressure: the first point's strain is used
  kAbove,  // over the last pressure: the last segment is extended
};

// A sublayer below a settlement point whose final pressure lies outside its
// curve: the settlement is computed all the same, and the report says so.
struct StrainWarning {
  int point = 0;           // position among the points
  int sublayer = 0;        // sublayer number
  std::int32_t curve = 0;  // position of the sublayer's curve
  CurveSide side = CurveSide::kBelow;
  float initial_pressure = 0.0f;  // P0, the overburden pressure
  float final_pressure = 0.0f;    // P0 plus the average stress increase
  float curve_pressure = 0.0f;    // the curve's first (below) or last (above) pressure
};

// Rows are settlement points from 1, columns stress depths or sublayers from 1.
struct AnalysisResults {
  IndexedVector<StressRow> stress_increase;
  IndexedVector<SublayerRow> average_stress_increase;
  IndexedVector<SublayerRow> sublayer_settlement;
  IndexedVector<float> total_settlement;
  // Point by point in table order, each point's sublayers top down.
  std::vector<StrainWarning> strain_warnings;
};

}  // namespace analysis
