#include "consolidation/time_solution.h"

#include <gtest/gtest.h>

#include <boost/math/quadrature/gauss_kronrod.hpp>
#include <cmath>
#include <numbers>
#include <vector>

#include "consolidation/linear_column.h"
#include "consolidation/point_history.h"

namespace consolidation {
namespace {

using testing::linear_column;
using testing::LoadGiven;
using testing::terzaghi_degree;

// Barron's factor of an ideal drain (Barron 1948).
double barron(double n) {
  return n * n / (n * n - 1.0) * std::log(n) - (3.0 * n * n - 1.0) / (4.0 * n * n);
}

// A clay 1 thick (cv 1, drained at the top) with ideal drains 0.5 apart in a
// square, 0.05 across, reaching its base.
Column drained_clay(std::vector<LoadGiven> loads, double installed) {
  Column column = linear_column({{1.0, 20}}, Boundary::kDrained, Boundary::kImpermeable, loads);
  Drains drains;
  drains.pattern = DrainPattern::kSquare;
  drains.spacing = 0.5;
  drains.diameter = 0.05;
  drains.ch_over_cv = 2.0;
  drains.bottom = 1.0;
  drains.installed = installed;
  column.drains = drains;
  return column;
}

// The radial rate 8 ch / (D² μ) of drained_clay.
double ideal_rate() {
  const double d = 1.128 * 0.5;
  return 8.0 * 2.0 / (d * d * barron(d / 0.05));
}

double degree_at(TimeSolution& solution, double time) {
  double primary = 0.0;
  for (double value : solution.state_at(time, false).layer_primary) primary += value;
  return primary / solution.final_primary();
}

TEST(TimeSolution, DrainsCombineWithTheVerticalFlowByCarrillosRule) {
  // A step at 0 with the drains in from the start, and from 0.1 on.
  for (const double installed : {0.0, 0.1}) {
    TimeSolution solution(drained_clay({{}}, installed));
    for (const double t : {0.01, 0.05, 0.1, 0.2, 0.4}) {
      SCOPED_TRACE(::testing::Message() << "installed " << installed << ", t " << t);
      const double radial = std::exp(-ideal_rate() * std::max(0.0, t - installed));
      EXPECT_NEAR(degree_at(solution, t), 1.0 - (1.0 - terzaghi_degree(t)) * radial, 1e-5);
    }
  }
}

TEST(TimeSolution, RampWithDrainsIsCarrillosRuleForEachPartOfIt) {
  // A ramp from 0.05 over 0.2 with the drains installed at 0.1, half way up:
  // each elementary part dτ / T settles 1 − (1 − Uv(t − τ)) Uh from max(τ, 0.1).
  const double start = 0.05, ramp = 0.2, installed = 0.1;
  TimeSolution solution(drained_clay({{1.0, start, ramp}}, installed));
  for (const double t : {0.08, 0.1, 0.15, 0.25, 0.3, 0.5}) {
    SCOPED_TRACE(t);
    const auto part = [&](double tau) {
      const double radial = std::exp(-ideal_rate() * std::max(0.0, t - std::max(tau, installed)));
      return 1.0 - (1.0 - terzaghi_degree(t - tau)) * radial;
    };
    const double end = std::min(t, start + ramp);
    const double expected =
        boost::math::quadrature::gauss_kronrod<double, 61>::integrate(part, start, end, 12, 1e-10) /
        ramp;
    EXPECT_NEAR(degree_at(solution, t), expected, 1e-5);
  }
}

TEST(TimeSolution, WellResistanceSlowsEachSublayerByItsDepth) {
  // With a discharge capacity each sublayer has its own rate; by Carrillo's
  // rule, sublayer by sublayer, the degree is 1 − Σ h (1 − Uv,j) Uh,j / H, with
  // Uv,j the mean of Terzaghi's isochrone over the sublayer.
  Column column = drained_clay({{}}, 0.0);
  column.drains->discharge_capacity = 0.05;
  column.unit_weight_of_water = 10.0;  // kh = ch/cv × cv mv γw = 20
  TimeSolution solution(column);
  const double d = 1.128 * 0.5, n = d / 0.05;
  for (const double t : {0.02, 0.1, 0.3}) {
    SCOPED_TRACE(t);
    double left = 0.0;
    for (int j = 0; j < 20; ++j) {
      const double a = j * 0.05, b = a + 0.05, z = a + 0.025;
      double mean = 0.0;  // of u / u0 = Σ 2 / M sin(M z) exp(−M² t)
      for (int m = 0; m < 4000; ++m) {
        const double big_m = (2 * m + 1) * std::numbers::pi / 2.0;
        mean += 2.0 / (big_m * big_m) * (std::cos(big_m * a) - std::cos(big_m * b)) / 0.05 *
                std::exp(-big_m * big_m * t);
      }
      const double mu =
          barron(n) + std::numbers::pi * z * (2.0 - z) * (20.0 / 0.05) * (1.0 - 1.0 / (n * n));
      left += 0.05 * mean * std::exp(-8.0 * 2.0 * t / (d * d * mu));
    }
    EXPECT_NEAR(degree_at(solution, t), 1.0 - left, 1e-5);
  }
}

TEST(TimeSolution, SettledTimeLeavesLessThanAMillionthToCome) {
  TimeSolution solution(linear_column({{1.0, 10, 0.3}, {2.0, 10, 3.0, 0.2}}, Boundary::kDrained,
                                      Boundary::kImpermeable, {{1.0, 0.0, 0.5}, {1.0, 2.0}}));
  const double settled = solution.settled_time();
  EXPECT_GT(settled, 2.0);
  EXPECT_NEAR(degree_at(solution, settled), 1.0, 1e-6);
}

TEST(TimeSolution, ErrorBoundHoldsJustAfterAStep) {
  // At t = 1e-7 the modes needed run into the thousands; the bound stays the
  // promise and the degree keeps to the half-space's 2 √(t / π).
  TimeSolution solution(
      linear_column({{1.0, 20}}, Boundary::kDrained, Boundary::kImpermeable, {{}}));
  for (const double t : {1e-7, 1e-5}) {
    SCOPED_TRACE(t);
    const ColumnState state = solution.state_at(t, true);
    EXPECT_LE(state.error_bound, 1e-5);
    EXPECT_NEAR(state.layer_primary[0], 2.0 * std::sqrt(t / std::numbers::pi), 1e-5);
  }
}

TEST(TimeSolution, ErrorBoundHoldsWithDrainsRampsAndStages) {
  // Against the same solution kept to 1e-11: two clays, a ramp and a later
  // step, drains with smear and well resistance installed during the ramp.
  Column column = linear_column({{2.0, 20, 0.2, 2.0}, {3.0, 30, 1.0, 0.5}}, Boundary::kDrained,
                                Boundary::kImpermeable, {{1.0, 0.0, 2.0}, {0.5, 3.0}});
  Drains drains;
  drains.spacing = 1.0;
  drains.diameter = 0.05;
  drains.smear_ratio = 3.0;
  drains.kh_over_ks = 3.0;
  drains.discharge_capacity = 2.0;
  drains.bottom = 3.5;
  drains.installed = 0.5;
  column.drains = drains;
  TimeSolution solution(column);
  TimeSolution reference(column);
  const double final_primary = solution.final_primary();
  for (const double t : {0.01, 0.3, 0.7, 1.5, 2.0, 3.001, 3.2, 6.0, 20.0}) {
    SCOPED_TRACE(t);
    const ColumnState state = solution.state_at(t, false);
    const ColumnState exact = reference.state_at(t, false, 0.0, 1e-11);
    double difference = 0.0;
    for (std::size_t l = 0; l < 2; ++l)
      difference += state.layer_primary[l] - exact.layer_primary[l];
    EXPECT_LE(state.error_bound, 1e-5);
    EXPECT_LE(std::fabs(difference) / final_primary, state.error_bound + 1e-12);
  }
}

TEST(TimeSolution, SecantCompressibilityDecidesHowFlowSharesBetweenLayers) {
  // Two layers with the same cv: the one that strains twice as much per unit
  // stress has twice the mv, so twice the k; a single stretch with mv 2:1.
  Column column = linear_column({{1.0, 10, 1.0, 1.0}, {1.0, 10, 1.0, 1.0}}, Boundary::kDrained,
                                Boundary::kImpermeable, {{}});
  for (Sublayer& sublayer : column.layers[1].sublayers) {
    sublayer.strain *= 2.0;
    sublayer.settlement *= 2.0;
  }
  column.unit_weight_of_water = 9.81;
  TimeSolution solution(column);
  EXPECT_TRUE(solution.layer_flows()[1].secant);
  EXPECT_DOUBLE_EQ(solution.layer_flows()[1].mv, 2.0);
  EXPECT_DOUBLE_EQ(solution.layer_flows()[1].permeability, 2.0 * 9.81);
  EXPECT_DOUBLE_EQ(solution.final_primary(), 3.0);
}

}  // namespace
}  // namespace consolidation
