#include "study/variance_shares.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "study/design_checks.h"
#include "study/sample_plan.h"

namespace study {
namespace {

std::vector<std::vector<double>> inputs_of(Design d) {
  EXPECT_TRUE(check_design(d).empty());
  return parameter_columns(prepare_samples(d));
}

// Ishigami and Homma's (1990) function, the usual test of sensitivity
// indices: Y = sin X1 + a sin^2 X2 + b X3^4 sin X1 with X uniform on
// [-pi, pi], a = 7, b = 0.1. Its first-order indices are known in closed
// form: S1 = 0.3139, S2 = 0.4424, S3 = 0 (X3 acts only with X1).
TEST(VarianceShares, IshigamiFunctionGivesItsKnownFirstOrderIndices) {
  constexpr double kA = 7.0, kB = 0.1, kPi = std::numbers::pi;
  const double pi4 = kPi * kPi * kPi * kPi;
  const double variance = kA * kA / 8.0 + kB * pi4 / 5.0 + kB * kB * pi4 * pi4 / 18.0 + 0.5;
  const double s1 = 0.5 * (1.0 + kB * pi4 / 5.0) * (1.0 + kB * pi4 / 5.0) / variance;
  const double s2 = kA * kA / 8.0 / variance;
  ASSERT_NEAR(s1, 0.3139, 1e-4);
  ASSERT_NEAR(s2, 0.4424, 1e-4);
  for (const Method method : {Method::kLatinHypercube, Method::kMonteCarlo}) {
    SCOPED_TRACE(method == Method::kMonteCarlo ? "MC" : "LHS");
    Design d;
    d.method = method;
    d.seed = 7;
    d.samples = 10000;
    for (const char* x : {"x1", "x2", "x3"}) d.parameters.push_back({x, Uniform{-kPi, kPi}});
    const auto x = inputs_of(d);
    std::vector<double> y;
    for (std::size_t i = 0; i < x[0].size(); ++i) {
      const double s = std::sin(x[1][i]);
      y.push_back(std::sin(x[0][i]) + kA * s * s + kB * std::pow(x[2][i], 4) * std::sin(x[0][i]));
    }
    const std::vector<double> shares = variance_shares(x, y);
    // With 100 classes of 100 samples the estimates' scatter is about 0.01.
    EXPECT_NEAR(shares[0], s1, 0.03);
    EXPECT_NEAR(shares[1], s2, 0.03);
    EXPECT_NEAR(shares[2], 0.0, 0.03);
  }
}

// A result that is a sum of independent normal terms owes each its variance:
// Y = X1 + 2 X2 + 0 X3 with unit sds gives 1/5, 4/5 and 0.
TEST(VarianceShares, AdditiveResultSplitsItsVarianceByTerm) {
  Design d;
  d.samples = 2000;
  d.seed = 11;
  for (const char* x : {"x1", "x2", "x3"}) d.parameters.push_back({x, Normal{10.0, 1.0}});
  const auto x = inputs_of(d);
  std::vector<double> y;
  for (std::size_t i = 0; i < x[0].size(); ++i) y.push_back(x[0][i] + 2.0 * x[1][i]);
  const std::vector<double> shares = variance_shares(x, y);
  EXPECT_NEAR(shares[0], 0.2, 0.03);
  EXPECT_NEAR(shares[1], 0.8, 0.03);
  EXPECT_NEAR(shares[2], 0.0, 0.03);
}

// With correlated inputs a share includes what the input tells about its
// partner: Y = X1 with normal X1, X2 of correlation 0.6 gives X2 the share
// E[Y | X2] = 0.6 X2, that is 0.36 (and X1 all of it): they sum to 1.36.
TEST(VarianceShares, CorrelatedInputsShareWhatTheyTellAboutEachOther) {
  Design d;
  d.samples = 4000;
  d.seed = 5;
  d.parameters = {{"x1", Normal{0.0, 1.0}}, {"x2", Normal{0.0, 1.0}}};
  d.correlations = {{"x1", "x2", 0.6}};
  const auto x = inputs_of(d);
  const std::vector<double> shares = variance_shares(x, x[0]);
  EXPECT_NEAR(shares[0], 1.0, 0.03);
  EXPECT_NEAR(shares[1], 0.36, 0.03);
}

TEST(VarianceShares, ConstantInputOrOutputOwesNothing) {
  const std::vector<std::vector<double>> x = {{1, 2, 3, 4, 5, 6}, {2, 2, 2, 2, 2, 2}};
  EXPECT_EQ(variance_shares(x, std::vector<double>{3, 1, 4, 1, 5, 9})[1], 0.0);
  const std::vector<double> flat = variance_shares(x, std::vector<double>(6, 7.0));
  EXPECT_EQ(flat, (std::vector<double>{0.0, 0.0}));
}

}  // namespace
}  // namespace study
