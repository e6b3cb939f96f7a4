#include "consolidation/stretch_modes.h"

#include <gtest/gtest.h>

#include <boost/math/quadrature/gauss_kronrod.hpp>
#include <cmath>
#include <numbers>
#include <vector>

namespace consolidation {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr Boundary kDrained = Boundary::kDrained;
constexpr Boundary kImpermeable = Boundary::kImpermeable;

std::vector<double> frequencies(const Stretch& stretch, std::size_t count) {
  std::vector<double> omegas;
  double previous = 0.0;
  for (std::size_t n = 1; n <= count; ++n)
    omegas.push_back(previous = mode_frequency(stretch, n, previous));
  return omegas;
}

TEST(ModeFrequency, OneLayerHasTheTextbookFrequencies) {
  // H = 2, cv = 0.25: ω = (2n − 1) π / 2 √cv / H with one drained end, n π √cv / H
  // with two.
  const struct {
    int line;
    Boundary top, bottom;
    double first_half_turns;  // ω_n H / (√cv π) = first + (n − 1)
  } kCases[] = {
      {__LINE__, kDrained, kImpermeable, 0.5},
      {__LINE__, kImpermeable, kDrained, 0.5},
      {__LINE__, kDrained, kDrained, 1.0},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.line);
    const Stretch stretch{{{2.0, 0.25, 1.0}}, c.top, c.bottom};
    const std::vector<double> omegas = frequencies(stretch, 200);
    for (std::size_t i = 0; i < omegas.size(); ++i) {
      const double expected = (c.first_half_turns + static_cast<double>(i)) * kPi * 0.5 / 2.0;
      EXPECT_NEAR(omegas[i], expected, 1e-13 * expected);
    }
  }
}

TEST(ModeFrequency, TwoLayersMissNoRootOfTheirCharacteristicEquation) {
  // Drained top, impermeable base: e1 cos β1h1 cos β2h2 − e2 sin β1h1 sin β2h2 = 0,
  // e = mv √cv, β = ω / √cv. Strong contrasts crowd the roots in pairs.
  const Stretch stretch{{{1.0, 0.01, 1.0}, {3.0, 4.0, 0.05}}, kDrained, kImpermeable};
  const auto characteristic = [&](double omega) {
    const StretchLayer& a = stretch.layers[0];
    const StretchLayer& b = stretch.layers[1];
    const double ea = a.mv * std::sqrt(a.cv), eb = b.mv * std::sqrt(b.cv);
    const double ta = omega * a.thickness / std::sqrt(a.cv),
                 tb = omega * b.thickness / std::sqrt(b.cv);
    return ea * std::cos(ta) * std::cos(tb) - eb * std::sin(ta) * std::sin(tb);
  };
  const std::vector<double> omegas = frequencies(stretch, 60);
  for (double omega : omegas) EXPECT_NEAR(characteristic(omega), 0.0, 1e-11);
  // A fine scan finds as many sign changes below the last frequency.
  int changes = 0;
  const int steps = 500000;
  double before = characteristic(0.0);
  for (int i = 1; i <= steps; ++i) {
    const double now = characteristic(omegas.back() * (1.0 + 1e-9) * i / steps);
    if ((now > 0.0) != (before > 0.0)) ++changes;
    before = now;
  }
  EXPECT_EQ(changes, 60);
}

TEST(ModeShape, ModesAreOrthonormalAndCarryTheFlowAcrossLayers) {
  const Stretch stretch{
      {{1.0, 0.5, 2.0}, {0.5, 3.0, 0.4}, {2.0, 0.2, 1.0}}, kImpermeable, kDrained};
  const std::vector<double> omegas = frequencies(stretch, 8);
  std::vector<std::vector<double>> a(8, std::vector<double>(3)), b = a;
  for (std::size_t n = 0; n < 8; ++n) mode_shape(stretch, omegas[n], a[n], b[n]);
  const auto value = [&](std::size_t n, std::size_t i, double zeta) {
    const double beta = omegas[n] / std::sqrt(stretch.layers[i].cv);
    return a[n][i] * std::cos(beta * zeta) + b[n][i] * std::sin(beta * zeta);
  };
  for (std::size_t m = 0; m < 8; ++m) {
    for (std::size_t n = m; n < 8; ++n) {
      double product = 0.0;
      for (std::size_t i = 0; i < 3; ++i) {
        product +=
            stretch.layers[i].mv * boost::math::quadrature::gauss_kronrod<double, 61>::integrate(
                                       [&](double z) { return value(m, i, z) * value(n, i, z); },
                                       0.0, stretch.layers[i].thickness, 10, 1e-14);
      }
      EXPECT_NEAR(product, m == n ? 1.0 : 0.0, 1e-11) << m << ", " << n;
    }
    // The flow mv cv φ' and φ itself continuous at both layer boundaries.
    for (std::size_t i = 0; i < 2; ++i) {
      const StretchLayer& up = stretch.layers[i];
      const StretchLayer& down = stretch.layers[i + 1];
      const double beta = omegas[m] / std::sqrt(up.cv);
      const double slope = beta * (-a[m][i] * std::sin(beta * up.thickness) +
                                   b[m][i] * std::cos(beta * up.thickness));
      const double slope_below = omegas[m] / std::sqrt(down.cv) * b[m][i + 1];
      EXPECT_NEAR(value(m, i, up.thickness), a[m][i + 1], 1e-12);
      EXPECT_NEAR(up.mv * up.cv * slope, down.mv * down.cv * slope_below, 1e-11);
    }
  }
}

}  // namespace
}  // namespace consolidation
