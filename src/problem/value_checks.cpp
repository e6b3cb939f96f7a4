// Values of the problem that would give a settlement of no meaning.
#include "problem/value_checks.h"

#include <algorithm>

namespace problem {

std::optional<ValueFault> find_value_fault(const ProblemData& problem, const SourceLines& lines) {
  for (int i = 1; i <= std::min(problem.layer_count, kMaxLayers); ++i) {
    const SoilLayer& layer = problem.layers[i];
    if (!(layer.thickness_factor < 0.0f)) continue;
    ValueFault fault;
    fault.kind = ValueFaultKind::kNegativeThicknessFactor;
    fault.line = lines.layers[i];
    fault.position = i;
    fault.number = layer.layer_number;
    fault.value = layer.thickness_factor;
    return fault;
  }
  for (int k = 1; k <= std::min(problem.curve_count, kMaxCurves); ++k) {
    const CompressibilityCurve& curve = problem.curves[k];
    if (is_slope_line(curve)) continue;
    for (int j = 1; j <= std::min(curve.point_count, kMaxCurvePoints); ++j) {
      // The strains are kept as fractions: 1 is 100 %.
      if (curve.strain[j] < 1.0f) continue;
      ValueFault fault;
      fault.kind = ValueFaultKind::kCurveStrain;
      fault.line = lines.curve_points[k][j];
      fault.position = k;
      fault.number = curve.curve_number;
      fault.row = j;
      fault.value = curve.strain[j] * kPercent;
      return fault;
    }
  }
  return std::nullopt;
}

}  // namespace problem
