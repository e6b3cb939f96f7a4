// The sublayer count of the layers read, by the classic method's rule.
#include "problem/sublayer_division.h"

#include <limits>

#include "analysis/classic_profile.h"

namespace problem {
namespace {

constexpr std::int64_t kCountLimit = std::numeric_limits<std::int64_t>::max();

std::int64_t saturating_add(std::int64_t a, std::int64_t b) {
  return a > kCountLimit - b ? kCountLimit : a + b;
}

}  // namespace

std::int64_t sublayers_in(double thickness) { return analysis::classic_sublayers_in(thickness); }

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

}  // namespace problem
