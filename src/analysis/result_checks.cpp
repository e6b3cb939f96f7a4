// The checks on the geometry of the rectangles and on the analysis' results.
#include "analysis/result_checks.h"

#include <algorithm>
#include <cmath>

#include "analysis/compressibility.h"
#include "loads/rectangle.h"
#include "problem/value_checks.h"

namespace analysis {
namespace {

using problem::ValueFault;
using problem::ValueFaultKind;

ValueFault point_fault(ValueFaultKind kind, const problem::ProblemData& problem,
                       const problem::SourceLines& lines, int point, int sublayer) {
  ValueFault fault;
  fault.kind = kind;
  fault.line = lines.points[point];
  fault.position = point;
  fault.number = problem.points[point].point_number;
  fault.row = sublayer;
  return fault;
}

// The strain a sublayer reaches under its final pressure `pf`: a point
// curve's strain there (or its initial one, when larger), a slope line's
// strain increase. A fraction.
float sublayer_strain(const ClassicCurve& curve, const ClassicSublayer& sublayer, float pf,
                      float increase) {
  if (!is_slope_line(curve)) {
    return std::max(strain_at(curve, pf).strain, sublayer.initial_strain);
  }
  if (curve.slope >= 0.0f) return log10_of_ratio(pf, sublayer.overburden_pressure) * curve.slope;
  return std::fabs(curve.slope) * increase;
}

// The checks of one sublayer below one point, in the order of the contract.
// The number the file gives curve position `index`; 0 for a position it gives
// no curve for.
std::int32_t curve_number(const problem::ProblemData& problem, std::int32_t index) {
  return index >= 1 && index <= std::min(problem.curve_count, problem::kMaxCurves)
             ? problem.curves[index].curve_number
             : 0;
}

std::optional<ValueFault> check_sublayer(const problem::ProblemData& problem,
                                         const ClassicProfile& profile,
                                         const problem::SourceLines& lines,
                                         const AnalysisResults& results, int j, int m) {
  const ClassicSublayer& sublayer = profile.sublayers[m];
  // A fault of this sublayer names its depth.
  const auto fault_here = [&](ValueFaultKind kind) {
    ValueFault fault = point_fault(kind, problem, lines, j, m);
    fault.depth = sublayer.centre_depth;
    return fault;
  };
  const float increase = results.average_stress_increase[j][m];
  if (!std::isfinite(increase)) {
    ValueFault fault = fault_here(ValueFaultKind::kStressNotFinite);
    fault.value = increase;
    return fault;
  }
  const ClassicCurve& curve = curve_of(profile, sublayer.curve_index);
  const float p0 = sublayer.overburden_pressure;
  const float pf = p0 + increase;
  // A point curve is read in log10 of the pressure, and so is a slope line of
  // a slope of 0 or more: both need a pressure above 0 (the slope line both).
  const bool point_curve = !is_slope_line(curve);
  const bool log_slope = !point_curve && curve.slope >= 0.0f;
  if (((point_curve || log_slope) && !(pf > 0.0f)) || (log_slope && !(p0 > 0.0f))) {
    ValueFault fault = fault_here(ValueFaultKind::kPressureNotPositive);
    fault.curve = curve_number(problem, sublayer.curve_index);
    fault.value = pf;
    fault.other = p0;
    fault.third = increase;
    return fault;
  }
  if (const float strain = sublayer_strain(curve, sublayer, pf, increase); !(strain < 1.0f)) {
    ValueFault fault = fault_here(ValueFaultKind::kSublayerStrain);
    fault.curve = curve_number(problem, sublayer.curve_index);
    fault.value = strain * problem::kPercent;
    fault.other = pf;
    return fault;
  }
  if (const float settlement = results.sublayer_settlement[j][m]; !std::isfinite(settlement)) {
    ValueFault fault = fault_here(ValueFaultKind::kSettlementNotFinite);
    fault.value = settlement;
    return fault;
  }
  return std::nullopt;
}

}  // namespace

std::optional<ValueFault> find_vanished_area(const problem::ProblemData& problem,
                                             const problem::SourceLines& lines) {
  for (int a = 1; a <= std::min(problem.area_count, problem::kMaxAreas); ++a) {
    const problem::LoadedArea& area = problem.areas[a];
    if (area.shape != problem::kRectangle) continue;
    // An area of no size has a warning of its own; this is one that has a size
    // until its corners are placed.
    if (!(area.x_length > 0.0f && area.y_length > 0.0f)) continue;
    const loads::RectangleGeometry geometry =
        loads::rectangle_geometry(area.x, area.y, area.x_length, area.y_length, area.area_slope);
    if (geometry.length_u > 0.0f && geometry.length_v > 0.0f) continue;
    ValueFault fault;
    fault.kind = ValueFaultKind::kAreaVanishes;
    fault.line = lines.areas[a];
    fault.position = a;
    fault.area_id = area.area_id;
    fault.value = area.x_length;
    fault.other = area.y_length;
    fault.third = area.area_slope;
    fault.fourth = geometry.length_u;
    fault.fifth = geometry.length_v;
    return fault;
  }
  return std::nullopt;
}

std::optional<ValueFault> find_input_value_fault(const problem::ProblemData& problem,
                                                 const problem::SourceLines& lines) {
  if (auto fault = problem::find_value_fault(problem, lines)) return fault;
  return find_vanished_area(problem, lines);
}

std::optional<ValueFault> find_result_fault(const problem::ProblemData& problem,
                                            const ClassicProfile& profile,
                                            const problem::SourceLines& lines,
                                            const AnalysisResults& results) {
  for (int j = 1; j <= profile.points.count(); ++j) {
    // Sublayers above the start sublayer take no part and keep 0.
    const int start = std::max(profile.points[j].start_sublayer, 1);
    for (int m = start; m <= profile.sublayer_count(); ++m) {
      if (auto fault = check_sublayer(problem, profile, lines, results, j, m)) return fault;
    }
    if (const float total = results.total_settlement[j]; !std::isfinite(total)) {
      ValueFault fault = point_fault(ValueFaultKind::kTotalNotFinite, problem, lines, j, 0);
      fault.value = total;
      return fault;
    }
  }
  return std::nullopt;
}

std::optional<ValueFault> find_place_fault(std::span<const float> x, std::span<const float> y,
                                           std::span<const float> total) {
  for (std::size_t k = 0; k < total.size(); ++k) {
    if (std::isfinite(total[k])) continue;
    ValueFault fault;
    fault.kind = ValueFaultKind::kPlaceNotFinite;
    fault.value = x[k];
    fault.other = y[k];
    fault.third = total[k];
    return fault;
  }
  return std::nullopt;
}

std::optional<ValueFault> find_grid_fault(const PlanGrid& grid, std::span<const float> totals) {
  const auto columns = static_cast<std::size_t>(std::max(grid.columns, 1));
  for (std::size_t k = 0; k < totals.size(); ++k) {
    if (std::isfinite(totals[k])) continue;
    const float x = grid.x(static_cast<int>(k % columns));
    const float y = grid.y(static_cast<int>(k / columns));
    return find_place_fault(std::span<const float>(&x, 1), std::span<const float>(&y, 1),
                            totals.subspan(k, 1));
  }
  return std::nullopt;
}

}  // namespace analysis
