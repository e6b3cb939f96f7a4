// Compressibility curves: the strain lookup on a point curve.
#include "analysis/compressibility.h"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace analysis {
namespace {

// Strain at `pressure` on the semi-log line through points m-1 and m, in
// double: every stored single is widened before it is subtracted or divided,
// and only the final strain is kept as single.
float semi_log_strain(const ClassicCurve& curve, int m, float pressure) {
  const int lower = m - 1;
  const int upper = m;
  const double strain_lower = static_cast<double>(curve.strain[lower]);
  const double pressure_lower = static_cast<double>(curve.pressure[lower]);
  const double slope = (static_cast<double>(curve.strain[upper]) - strain_lower) /
                       std::log10(static_cast<double>(curve.pressure[upper]) / pressure_lower);
  const double strain =
      std::log10(static_cast<double>(pressure) / pressure_lower) * slope + strain_lower;
  return static_cast<float>(strain);
}

}  // namespace

const ClassicCurve& curve_of(const ClassicProfile& profile, std::int32_t curve_index) {
  static const ClassicCurve kEmptyCurve{};
  if (curve_index < 1 || curve_index > profile.curves.count()) return kEmptyCurve;
  return profile.curves[curve_index];
}

StrainLookup strain_at(const ClassicCurve& curve, float pressure) {
  assert(!is_slope_line(curve) && curve.point_count <= curve.pressure.count());
  const int n = curve.point_count;
  for (int m = 1; m <= n; ++m) {
    const float point_pressure = curve.pressure[m];
    if (!(pressure <= point_pressure)) continue;
    if (pressure == point_pressure) return {curve.strain[m], LookupCase::kExact};
    // The curve is not extended below its first point.
    if (m == 1) return {curve.strain[1], LookupCase::kBelow};
    return {semi_log_strain(curve, m, pressure), LookupCase::kInterpolated};
  }
  // Past the last point the last segment goes on, so that a sublayer loaded
  // beyond the test data is not credited with less strain than the trend; a
  // last segment that does not rise in pressure has no trend to follow.
  const int last = n;
  if (!(curve.pressure[last] > curve.pressure[last - 1])) {
    return {curve.strain[last], LookupCase::kAbove};
  }
  return {semi_log_strain(curve, n, pressure), LookupCase::kAbove};
}

float log10_of_ratio(float numerator, float denominator) {
  const float quotient = numerator / denominator;
  return static_cast<float>(std::log10(static_cast<double>(quotient)));
}

}  // namespace analysis
