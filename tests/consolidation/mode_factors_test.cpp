#include "consolidation/mode_factors.h"

#include <gtest/gtest.h>

#include <boost/math/quadrature/gauss_kronrod.hpp>
#include <cmath>
#include <vector>

namespace consolidation {
namespace {

// Duhamel's integral of elementary steps dτ / T, each decaying at λ and, from
// the later of τ and the installation, at ρ, by quadrature.
double duhamel(const LoadSchedule& schedule, double t, double lambda, double rho,
               double installed) {
  const auto step = [&](double tau) {
    const double radial_from = std::max(tau, installed);
    return std::exp(-lambda * (t - tau)) * std::exp(-rho * std::max(0.0, t - radial_from));
  };
  const double end = std::min(t, schedule.start + schedule.ramp);
  double sum = 0.0;
  // Split at the installation, where the integrand has a kink.
  if (installed > schedule.start && installed < end) {
    sum = boost::math::quadrature::gauss_kronrod<double, 31>::integrate(step, schedule.start,
                                                                        installed, 10, 1e-14) +
          boost::math::quadrature::gauss_kronrod<double, 31>::integrate(step, installed, end, 10,
                                                                        1e-14);
  } else {
    sum = boost::math::quadrature::gauss_kronrod<double, 31>::integrate(step, schedule.start, end,
                                                                        10, 1e-14);
  }
  return sum / schedule.ramp;
}

TEST(ModeFactor, RampIsDuhamelsIntegralWithTheRadialPartFromEachParts) {
  const LoadSchedule ramp{1.0, 2.0};
  const struct {
    int line;
    double t, lambda, rho, installed;
  } kCases[] = {
      {__LINE__, 2.0, 0.7, 0.0, 0.0},    // during the ramp, no drains
      {__LINE__, 5.0, 0.7, 0.0, 0.0},    // after it
      {__LINE__, 2.0, 0.7, 1.5, 0.0},    // drains from before the start
      {__LINE__, 2.5, 0.7, 1.5, 2.0},    // installed during the ramp, still rising
      {__LINE__, 6.0, 0.7, 1.5, 2.0},    // and after the ramp
      {__LINE__, 6.0, 0.7, 1.5, 4.0},    // installed after the ramp
      {__LINE__, 3.5, 0.7, 1.5, 4.0},    // before the installation
      {__LINE__, 1.001, 3e4, 2.0, 0.0},  // a fast mode just after the start
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.line);
    const double expected = duhamel(ramp, c.t, c.lambda, c.rho, c.installed);
    EXPECT_NEAR(mode_factor(ramp, c.t, c.lambda, c.rho, c.installed), expected,
                1e-12 + 1e-10 * expected);
    EXPECT_LE(mode_factor(ramp, c.t, c.lambda, c.rho, c.installed),
              factor_bound(ramp, c.t, c.lambda) * (1.0 + 1e-12));
    const double undrained = duhamel(ramp, c.t, c.lambda, 0.0, c.installed);
    EXPECT_LE(undrained - expected, radial_bound(ramp, c.t, c.lambda, c.rho, c.installed) + 1e-14);
  }
}

TEST(ModeFactor, StepDecaysFromItsStartAndRadiallyFromTheLaterTime) {
  const LoadSchedule step{1.0, 0.0};
  EXPECT_DOUBLE_EQ(mode_factor(step, 3.0, 0.5, 0.0, 0.0), std::exp(-1.0));
  EXPECT_DOUBLE_EQ(mode_factor(step, 3.0, 0.5, 2.0, 0.0), std::exp(-1.0) * std::exp(-4.0));
  EXPECT_DOUBLE_EQ(mode_factor(step, 3.0, 0.5, 2.0, 2.5), std::exp(-1.0) * std::exp(-1.0));
  EXPECT_DOUBLE_EQ(applied_share(step, 1.0), 1.0);
  EXPECT_FALSE(modes_act(step, 1.0));
  EXPECT_DOUBLE_EQ(applied_share({1.0, 2.0}, 1.5), 0.25);
}

TEST(ModeFactor, TableOfAllModesAndClassesAgreesWithTheFactorOfEach) {
  Stretch stretch{{{1.0, 1.0, 1.0}, {2.0, 0.3, 2.0}}, Boundary::kDrained, Boundary::kImpermeable};
  std::vector<TableSublayer> sublayers;
  for (int j = 0; j < 6; ++j) {
    const bool upper = j < 2;
    sublayers.push_back(
        {upper ? 0u : 1u, upper ? 0.25 + 0.5 * j : 0.25 + 0.5 * (j - 2), 0.5, 1.0, 0});
  }
  ModeTable modes(stretch, sublayers, std::vector<double>(6, 1.0), 1, 1);
  modes.extend_to(12);
  const std::vector<double> rates{0.0, 0.8, 3.0};
  for (const LoadSchedule& schedule : {LoadSchedule{0.5, 0.0}, LoadSchedule{0.5, 1.0}}) {
    for (const double t : {0.7, 1.2, 3.0}) {
      std::vector<double> coefficients(12 * 3, 0.0);
      add_mode_factors(modes, 0, 12, schedule, t, rates, 1.0, coefficients);
      for (std::size_t n = 0; n < 12; ++n) {
        for (std::size_t k = 0; k < 3; ++k) {
          const double expected =
              modes.projection(n, 0) * mode_factor(schedule, t, modes.decay_rate(n), rates[k], 1.0);
          EXPECT_NEAR(coefficients[n * 3 + k], expected, 1e-14 + 1e-12 * std::fabs(expected));
        }
      }
    }
  }
}

}  // namespace
}  // namespace consolidation
