// The statistics of one result of a study (a settlement, a t90) over its
// samples, computed in sample order so that the bits depend on the values
// alone.
#pragma once

#include <span>

namespace study {

struct Summary {
  double mean = 0.0;
  double sd = 0.0;   // with n - 1 (0 for a single sample)
  double p05 = 0.0;  // the 5, 50 and 95 % values (sample_quantile)
  double p50 = 0.0;
  double p95 = 0.0;
};

// The summary of the values, one a sample, in sample order.
// REQUIRES: values not empty, all finite.
Summary summary_of(std::span<const double> values);

// The p-quantile of sorted values by linear interpolation between order
// statistics (Hyndman and Fan's type 7, R's and NumPy's default):
// h = (n - 1) p, x[floor h] + (h - floor h) (x[floor h + 1] - x[floor h]).
// REQUIRES: sorted ascending, not empty; 0 <= p <= 1.
double sample_quantile(std::span<const double> sorted, double p);

// The share of the values strictly above the limit.
// REQUIRES: values not empty.
double share_above(std::span<const double> values, double limit);

}  // namespace study
