// Mean and standard deviation in two passes (the mean first, then the squared
// deviations from it), which loses no digits to cancellation when the spread
// is small against the mean.
#include "study/result_statistics.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstddef>
#include <vector>

namespace study {

Summary summary_of(std::span<const double> values) {
  assert(!values.empty());
  const std::size_t n = values.size();
  double sum = 0.0;
  for (const double x : values) sum += x;
  Summary summary;
  summary.mean = sum / static_cast<double>(n);
  double squares = 0.0;
  for (const double x : values) squares += (x - summary.mean) * (x - summary.mean);
  summary.sd = n > 1 ? std::sqrt(squares / static_cast<double>(n - 1)) : 0.0;

  std::vector<double> sorted(values.begin(), values.end());
  std::sort(sorted.begin(), sorted.end());
  summary.p05 = sample_quantile(sorted, 0.05);
  summary.p50 = sample_quantile(sorted, 0.50);
  summary.p95 = sample_quantile(sorted, 0.95);
  return summary;
}

double sample_quantile(std::span<const double> sorted, double p) {
  assert(!sorted.empty() && p >= 0.0 && p <= 1.0);
  const double h = static_cast<double>(sorted.size() - 1) * p;
  const double below = std::floor(h);
  const auto j = static_cast<std::size_t>(below);
  if (j + 1 >= sorted.size()) return sorted.back();
  return sorted[j] + (h - below) * (sorted[j + 1] - sorted[j]);
}

double share_above(std::span<const double> values, double limit) {
  assert(!values.empty());
  std::size_t above = 0;
  for (const double x : values) above += x > limit ? 1 : 0;
  return static_cast<double>(above) / static_cast<double>(values.size());
}

}  // namespace study
