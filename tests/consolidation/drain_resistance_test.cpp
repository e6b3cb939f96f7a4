#include "consolidation/drain_resistance.h"

#include <gtest/gtest.h>

#include <boost/math/quadrature/gauss_kronrod.hpp>
#include <cmath>
#include <numbers>

namespace consolidation {
namespace {

// μ from Darcy's law alone, by quadrature: with lengths in drain radii, the
// water squeezed out beyond radius r, π (n² − r²) ε̇, flows through the
// cylinder of radius r, so du/dr = γw ε̇ (n² / r − r) / (2 k(r)); u is
// integrated out from the drain and averaged over the soil, and μ is the
// average over γw D² ε̇ / (8 kh) = γw n² ε̇ / (2 kh).
double mu_by_quadrature(double n, double s, double kh_over_ks) {
  using boost::math::quadrature::gauss_kronrod;
  const auto gradient = [&](double r) { return (n * n / r - r) * (r < s ? kh_over_ks : 1.0); };
  const auto excess = [&](double r) {  // u (2 kh) / (γw ε̇)
    if (r <= s) return gauss_kronrod<double, 31>::integrate(gradient, 1.0, r, 10, 1e-13);
    return gauss_kronrod<double, 31>::integrate(gradient, 1.0, s, 10, 1e-13) +
           gauss_kronrod<double, 31>::integrate(gradient, s, r, 10, 1e-13);
  };
  const auto weighted = [&](double r) { return excess(r) * 2.0 * r; };
  double mean = gauss_kronrod<double, 31>::integrate(weighted, s, n, 10, 1e-12);
  if (s > 1.0) mean += gauss_kronrod<double, 31>::integrate(weighted, 1.0, s, 10, 1e-12);
  mean /= n * n - 1.0;
  return mean / (n * n);
}

TEST(SmearResistance, IdealDrainIsBarronsFactor) {
  // Barron (1948), as Hansbo (1981) writes it for s = 1:
  // F(n) = n² / (n² − 1) ln n − (3n² − 1) / (4n²).
  for (const double n : {5.0, 10.0, 20.0, 50.0}) {
    SCOPED_TRACE(n);
    const double barron = n * n / (n * n - 1.0) * std::log(n) - (3.0 * n * n - 1.0) / (4.0 * n * n);
    EXPECT_NEAR(smear_resistance(n, 1.0, 1.0), barron, 1e-13);
    EXPECT_NEAR(smear_resistance(n, 1.0, 7.0), barron, 1e-13);  // no smear zone: κ no matter
  }
}

TEST(SmearResistance, EqualsDarcysLawIntegratedOverTheCell) {
  const struct {
    int line;
    double n, s, kappa;
  } kCases[] = {
      {__LINE__, 5.0, 1.0, 1.0},  {__LINE__, 23.86, 3.0, 3.0}, {__LINE__, 15.0, 2.0, 5.0},
      {__LINE__, 40.0, 5.0, 2.0}, {__LINE__, 6.0, 4.0, 10.0},  {__LINE__, 100.0, 3.0, 1.0},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.line);
    EXPECT_NEAR(smear_resistance(c.n, c.s, c.kappa), mu_by_quadrature(c.n, c.s, c.kappa), 1e-9);
  }
}

TEST(SmearResistance, TendsToHansbosShortFormFarFromTheDrain) {
  // ln(n/s) + κ ln s − 0.75 differs by terms of order s²/n².
  for (const double n : {100.0, 1000.0}) {
    const double s = 3.0, kappa = 3.0;
    const double short_form = std::log(n / s) + kappa * std::log(s) - 0.75;
    EXPECT_NEAR(smear_resistance(n, s, kappa), short_form, 4.0 * kappa * s * s / (n * n));
  }
  // A band drain 1.5 apart in a triangle with smear (s = 3, κ = 3) takes about
  // twice the time of an ideal one.
  const double n = 1.05 * 1.5 / 0.066;
  EXPECT_NEAR(smear_resistance(n, 3.0, 3.0) / smear_resistance(n, 1.0, 1.0), 2.0, 0.15);
}

TEST(WellResistance, IsHansbosTermAlongTheDrain) {
  // Zero at the drain's head, largest at its foot, π l² kh/qw (1 − 1/n²),
  // with the mean over its length 2/3 of that (Hansbo 1981).
  const double l = 10.0, kh_over_qw = 1e-3, n = 20.0;
  const double foot = std::numbers::pi * l * l * kh_over_qw * (1.0 - 1.0 / (n * n));
  EXPECT_EQ(well_resistance(0.0, l, kh_over_qw, n), 0.0);
  EXPECT_NEAR(well_resistance(l, l, kh_over_qw, n), foot, 1e-14);
  const double mean = boost::math::quadrature::gauss_kronrod<double, 15>::integrate(
                          [&](double z) { return well_resistance(z, l, kh_over_qw, n); }, 0.0, l) /
                      l;
  EXPECT_NEAR(mean, 2.0 / 3.0 * foot, 1e-12);
}

TEST(InfluenceDiameter, IsTheExactFactorOfThePattern) {
  EXPECT_DOUBLE_EQ(influence_diameter(DrainPattern::kTriangle, 2.0), 2.1);
  EXPECT_DOUBLE_EQ(influence_diameter(DrainPattern::kSquare, 2.0), 2.256);
}

}  // namespace
}  // namespace consolidation
