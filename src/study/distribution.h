// The distributions an uncertain value of a study may follow, each by the
// figures an engineer quotes for it, and their quantiles.
#pragma once

#include <variant>

namespace study {

// Normal, by its mean and standard deviation (sd 0: the mean every time).
struct Normal {
  double mean = 0.0;
  double sd = 0.0;
};

// Lognormal, by the variable's own mean and coefficient of variation
// (sd / mean), not those of its logarithm (cov 0: the mean every time).
struct Lognormal {
  double mean = 0.0;
  double cov = 0.0;
};

// Uniform between low and high.
struct Uniform {
  double low = 0.0;
  double high = 0.0;
};

// Triangular from low through its mode to high.
struct Triangular {
  double low = 0.0;
  double mode = 0.0;
  double high = 0.0;
};

using Distribution = std::variant<Normal, Lognormal, Uniform, Triangular>;

// The value below which the share p of the distribution lies, from
// Boost.Math in double precision throughout (no wider internal type), so the
// bits depend on nothing but the build.
// REQUIRES: 0 < p < 1; the distribution passes check_design.
double quantile(const Distribution& distribution, double p);

// The share of the distribution at or below x. REQUIRES: as for quantile.
double cdf(const Distribution& distribution, double x);

// The standard normal quantile and distribution function, by the same policy.
double normal_score(double p);
double standard_normal_cdf(double z);

}  // namespace study
