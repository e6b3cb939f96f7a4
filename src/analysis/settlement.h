// The classic method's settlement of every sublayer below a settlement point
// and the point's total settlement.
#pragma once

#include <cstdint>
#include <vector>

#include "analysis/analysis_results.h"
#include "analysis/classic_profile.h"

namespace analysis {

// Where the settlement of one point goes: its sublayer settlements and its
// strain warnings, each optional (a point of a settlement map keeps neither).
struct PointSettlement {
  SublayerRow* sublayers = nullptr;  // sublayers above the start sublayer get 0
  std::vector<StrainWarning>* warnings = nullptr;
  int point = 0;  // the position the warnings name
};

// The total settlement of the sublayers from `start_sublayer` (at least 1)
// down under the average stress increases `average`, summed top down. Every
// final pressure outside a point curve adds a warning.
float settle_point(const ClassicProfile& profile, const SublayerRow& average,
                   std::int32_t start_sublayer, const PointSettlement& out);

}  // namespace analysis
