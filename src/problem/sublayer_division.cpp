// The sublayer division rule and the start sublayer of a point.
#include "problem/sublayer_division.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace problem {
namespace {

constexpr std::int64_t kCountLimit = std::numeric_limits<std::int64_t>::max();

// NINT(2 x depth) + 1 with the doubling in single precision and halves rounded
// away from zero. Depths too large for an integer saturate instead of
// overflowing; a depth that is not a number counts as the ground surface.
std::int32_t half_units_above_plus_one(float depth) {
  const float doubled = 2.0f * depth;
  if (std::isnan(doubled)) return 1;
  constexpr float kBound = 4294967296.0f;  // well outside int32, exact in long long
  const long long result = std::llround(std::clamp(doubled, -kBound, kBound)) + 1;
  return static_cast<std::int32_t>(std::clamp<long long>(
      result, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::int64_t saturating_add(std::int64_t a, std::int64_t b) {
  return a > kCountLimit - b ? kCountLimit : a + b;
}

}  // namespace

std::int64_t sublayers_in(double thickness) {
  // 2n for the whole units n, plus one when the part after them reaches 0.5.
  if (!(thickness >= 0.5)) return 0;
  constexpr double kHuge = 4611686018427387904.0;  // 2^62: 2n + 1 still fits
  if (thickness >= kHuge) return kCountLimit;
  const double whole = std::trunc(thickness);
  const auto n = static_cast<std::int64_t>(whole);
  return 2 * n + (thickness - whole >= 0.5 ? 1 : 0);
}

double layer_thickness(const ProblemData& problem, int layer) {
  return static_cast<double>(problem.boundary_depths[layer]) -
         static_cast<double>(problem.boundary_depths[layer - 1]);
}

std::int64_t count_sublayers(const ProblemData& problem) {
  std::int64_t count = 0;
  for (int i = 1; i <= problem.layer_count; ++i) {
    count = saturating_add(count, sublayers_in(layer_thickness(problem, i)));
  }
  return count;
}

std::int32_t start_sublayer_of(const ProblemData& problem, std::int32_t start_layer) {
  if (start_layer < 1 || start_layer > problem.layer_count) return 0;
  return half_units_above_plus_one(problem.boundary_depths[start_layer - 1]);
}

}  // namespace problem
