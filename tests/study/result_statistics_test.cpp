#include "study/result_statistics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "study/design_checks.h"
#include "study/sample_plan.h"

namespace study {
namespace {

// R: quantile(1:10, c(0.05, 0.5, 0.95), type = 7) gives 1.45 5.5 9.55, and
// sd(1:10) = 3.0276503540974917 (divisor n - 1); the values are in shuffled
// order, as samples come.
TEST(ResultStatistics, SummaryMatchesRsType7QuantilesAndSampleSd) {
  const std::vector<double> values = {7, 3, 10, 1, 5, 9, 2, 8, 4, 6};
  const Summary s = summary_of(values);
  EXPECT_DOUBLE_EQ(s.mean, 5.5);
  EXPECT_DOUBLE_EQ(s.sd, 3.0276503540974917);
  EXPECT_DOUBLE_EQ(s.p05, 1.45);
  EXPECT_DOUBLE_EQ(s.p50, 5.5);
  EXPECT_DOUBLE_EQ(s.p95, 9.55);

  const Summary one = summary_of(std::vector<double>{4.25});
  EXPECT_EQ(one.sd, 0.0);
  EXPECT_EQ(one.p05, 4.25);
  EXPECT_EQ(one.p95, 4.25);
}

TEST(ResultStatistics, ShareAboveCountsOnlyValuesStrictlyAboveTheLimit) {
  const std::vector<double> values = {49.0, 50.0, 50.0, 50.5, 61.0};
  EXPECT_DOUBLE_EQ(share_above(values, 50.0), 0.4);
  EXPECT_DOUBLE_EQ(share_above(values, 61.0), 0.0);
  EXPECT_DOUBLE_EQ(share_above(values, 10.0), 1.0);
}

// A normally consolidated layer (index cc, thickness H, void ratio e0,
// overburden s0, stress increase ds) settles
//   S = cc H / (1 + e0) log10((s0 + ds) / s0),
// proportional to cc: with cc lognormal (mean m, cov v), S is lognormal with
// mean k m and the same cov, so its 5, 50 and 95 % values are
//   exp(mu +- 1.6449 sigma), exp(mu),  sigma^2 = ln(1 + v^2), mu = ln(k m) - sigma^2 / 2.
// The study's estimates must come within three standard errors of the
// closed form for every sample count: sd / sqrt(N) for the mean,
// sd sqrt((kurtosis - 1) / 4 N) for the standard deviation and
// sqrt(p (1 - p) / N) / f(x_p) for the p-quantile, f the density
// (docs/studies.md); the errors shrink as 1 / sqrt(N).
TEST(ResultStatistics, LognormalSettlementConvergesToItsClosedForm) {
  constexpr double kH = 4.0, kE0 = 1.1, kS0 = 60.0, kDs = 100.0;               // m, -, kPa, kPa
  const double k = kH / (1.0 + kE0) * std::log10((kS0 + kDs) / kS0) * 1000.0;  // mm per unit cc
  constexpr double kMean = 0.3, kCov = 0.25;
  const double sigma = std::sqrt(std::log1p(kCov * kCov));
  const double mu = std::log(k * kMean) - 0.5 * sigma * sigma;
  constexpr double kZ95 = 1.6448536269514722;
  const double mean = k * kMean, sd = k * kMean * kCov;
  const double w = 1.0 + kCov * kCov;  // the lognormal's kurtosis, w^4 + 2 w^3 + 3 w^2 - 3
  const double kurtosis = w * w * w * w + 2.0 * w * w * w + 3.0 * w * w - 3.0;
  const double p05 = std::exp(mu - kZ95 * sigma), p50 = std::exp(mu),
               p95 = std::exp(mu + kZ95 * sigma);
  const auto density = [&](double x) {
    const double z = (std::log(x) - mu) / sigma;
    return std::exp(-0.5 * z * z) / (x * sigma * std::sqrt(2.0 * std::numbers::pi));
  };

  for (const Method method : {Method::kLatinHypercube, Method::kMonteCarlo}) {
    for (const std::int64_t n : {100, 1000, 10000, 100000}) {
      SCOPED_TRACE(testing::Message()
                   << (method == Method::kMonteCarlo ? "MC" : "LHS") << " n " << n);
      Design d;
      d.method = method;
      d.seed = 42;
      d.samples = n;
      d.parameters = {{"soils.clay.cc", Lognormal{kMean, kCov}}};
      ASSERT_TRUE(check_design(d).empty());
      const SamplePlan plan = prepare_samples(d);
      std::vector<double> settlement;
      for (std::int64_t i = 0; i < n; ++i) settlement.push_back(k * values_of_sample(plan, i)[0]);
      const Summary s = summary_of(settlement);
      const double root_n = std::sqrt(static_cast<double>(n));
      const double quantile_error = std::sqrt(0.05 * 0.95) / root_n;
      EXPECT_NEAR(s.mean, mean, 3.0 * sd / root_n);
      EXPECT_NEAR(s.sd, sd, 3.0 * sd * std::sqrt((kurtosis - 1.0) / 4.0) / root_n);
      EXPECT_NEAR(s.p05, p05, 3.0 * quantile_error / density(p05));
      EXPECT_NEAR(s.p50, p50, 3.0 * 0.5 / root_n / density(p50));
      EXPECT_NEAR(s.p95, p95, 3.0 * quantile_error / density(p95));
    }
  }
}

}  // namespace
}  // namespace study
