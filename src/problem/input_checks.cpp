// The input checks, each returning what it found.
#include "problem/input_checks.h"

#include <cassert>

#include "problem/sublayer_division.h"

namespace problem {
namespace {

bool at_layer_boundary(const ProblemData& problem, float elevation) {
  // Only an exact match counts: a load between boundaries has no place in the
  // sublayer scheme, however close it lies.
  for (int i = 0; i <= problem.layer_count; ++i) {
    if (elevation == problem.boundary_depths[i]) return true;
  }
  return false;
}

ListedArea listed(const ProblemData& problem, int a, int line) {
  const LoadedArea& area = problem.areas[a];
  return {a, area.area_id, area.shape, area.elevation, line};
}

std::optional<LimitFault> fault(Limit limit, std::int64_t value, int line, std::int32_t item = 0) {
  return LimitFault{limit, value, item, line};
}

// A curve pressure must be greater than 0.0 (a NaN is not).
bool pressure_is_acceptable(float pressure) { return pressure > 0.0f; }

}  // namespace

void check_area(const ProblemData& problem, int a, int line, DataErrors& errors) {
  const LoadedArea& area = problem.areas[a];
  if (area.shape != kRectangle && area.shape != kCircle) {
    errors.wrong_shape.push_back(listed(problem, a, line));
  }
  if (!at_layer_boundary(problem, area.elevation)) {
    errors.off_boundary.push_back(listed(problem, a, line));
  }
}

bool has_data_errors(const DataErrors& errors) {
  return !errors.wrong_shape.empty() || !errors.off_boundary.empty();
}

std::optional<LimitFault> check_counts(const ProblemData& problem, int line) {
  if (problem.layer_count > kMaxLayers) return fault(Limit::kLayers, problem.layer_count, line);
  if (problem.curve_count > kMaxCurves) return fault(Limit::kCurves, problem.curve_count, line);
  if (problem.point_count > kMaxPoints) return fault(Limit::kPoints, problem.point_count, line);
  if (problem.area_count > kMaxAreas) return fault(Limit::kRegularAreas, problem.area_count, line);
  return std::nullopt;
}

std::optional<LimitFault> check_curve_index(const SoilLayer& layer, int line) {
  if (layer.curve_index >= 1 && layer.curve_index <= kMaxCurves) return std::nullopt;
  return fault(Limit::kCurveIndex, layer.curve_index, line, layer.layer_number);
}

std::optional<LimitFault> check_sublayer_count(const ProblemData& problem, int line) {
  const std::int64_t count = count_sublayers(problem);
  if (count <= kMaxSublayers) return std::nullopt;
  return fault(Limit::kSublayers, count, line);
}

std::optional<LimitFault> check_curve_points(const CompressibilityCurve& curve, int line) {
  if (curve.point_count <= kMaxCurvePoints) return std::nullopt;
  return fault(Limit::kCurvePoints, curve.point_count, line, curve.curve_number);
}

std::optional<LimitFault> check_total_areas(const ProblemData& problem, int line) {
  // Widened: two counts near the 32-bit limit must not wrap into a small total.
  const std::int64_t total =
      std::int64_t{problem.area_count} + std::int64_t{problem.spread_area_count};
  if (total <= kMaxAreas) return std::nullopt;
  return fault(Limit::kTotalAreas, total, line);
}

std::optional<LimitFault> check_depth_reference(const ProblemData& problem, int line) {
  // Files without spread areas often leave the option at 0; it is never used then.
  if (problem.spread_area_count <= 0) return std::nullopt;
  const std::int32_t option = problem.spread_depth_reference;
  if (option >= 1 && option <= 3) return std::nullopt;
  return fault(Limit::kDepthReference, option, line);
}

std::optional<PressureFault> find_pressure_fault(const ProblemData& problem,
                                                 const SourceLines& lines) {
  for (int c = 1; c <= problem.curve_count; ++c) {
    const CompressibilityCurve& curve = problem.curves[c];
    if (is_slope_line(curve)) continue;  // a slope line has no pressures
    assert(curve.point_count <= kMaxCurvePoints);
    for (int j = 1; j <= curve.point_count; ++j) {
      if (!pressure_is_acceptable(curve.pressure[j])) {
        return PressureFault{c, j, curve.pressure[j], lines.curve_points[c][j]};
      }
    }
  }
  return std::nullopt;
}

}  // namespace problem
