// The fast forms of the influence functions (complete integrals from a table
// of sines, ordinates and corner factors two at a time) give the very bits of
// the plain rules, taken one ordinate or one corner after another.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>

#include "analysis/influence.h"

namespace {

// Weddle's rule over 12 intervals, one ordinate at a time, the abscissae
// accumulated from 0.
analysis::EllipticIntegrals ordinate_by_ordinate(double phi, double m) {
  double ordinate[13];
  double reciprocal[13];
  const double h = phi / 12.0;
  double theta = 0.0;
  for (int i = 0; i <= 12; ++i) {
    const double s = std::sin(theta);
    ordinate[i] = std::sqrt(1.0 - m * (s * s));
    reciprocal[i] = ordinate[i] == 0.0 ? 1.0e35 : 1.0 / ordinate[i];
    theta += h;
  }
  auto weddle = [h](const double* y) {
    const double sum = y[0] + y[2] + y[4] + 2.0 * y[6] + y[8] + y[10] + y[12] +
                       5.0 * (y[1] + y[5] + y[7] + y[11]) + 6.0 * (y[3] + y[9]);
    return static_cast<double>(0.3f) * h * sum;
  };
  return {weddle(ordinate), weddle(reciprocal)};
}

bool same_bits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(EllipticIntegrals, SameBitsAsOneOrdinateAtATime) {
  // pi/2 passes through a volatile so that it is the value the program forms.
  volatile double quarter_turn = 2.0 * std::atan(1.0);
  const double amplitudes[] = {quarter_turn, 0.0, 0.1, 0.7853981633974483, 1.2, 1.5707963};
  for (double phi : amplitudes) {
    for (int step = 0; step <= 200; ++step) {
      const double m = step / 200.0;
      SCOPED_TRACE(testing::Message() << "phi " << phi << " m " << m);
      const analysis::EllipticIntegrals got = analysis::elliptic_integrals(phi, m);
      const analysis::EllipticIntegrals expected = ordinate_by_ordinate(phi, m);
      EXPECT_TRUE(same_bits(got.e, expected.e)) << got.e << " " << expected.e;
      EXPECT_TRUE(same_bits(got.f, expected.f)) << got.f << " " << expected.f;
    }
  }
}

}  // namespace

namespace {

bool same_bits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(RectangleCornerFactors, SameBitsAsOneCornerAtATime) {
  // Side ratios from 0 and the threshold region up to far beyond the corner,
  // and a pair (V = m^2 n^2 near m = n = 1.5538) where the arctangent's
  // quotient is near infinite.
  const float ratios[] = {0.0f,   1.0e-9f, 3.0e-8f, 5.0e-8f, 1.0e-4f, 0.01f, 0.1234f, 0.5f,
                          1.0f,   1.5537f, 1.5538f, 1.55377397f, 2.0f, 3.3f, 10.0f, 123.4f,
                          1.0e4f, 3.0e7f};
  for (float m1 : ratios) {
    for (float m2 : ratios) {
      for (float n1 : ratios) {
        const std::array<float, 4> m = {m1, m1, m2, m2};
        const std::array<float, 4> n = {n1, 0.5f * n1, n1, m1};
        std::array<float, 4> got{};
        analysis::rectangle_corner_factors(m, n, got);
        for (std::size_t i = 0; i < 4; ++i) {
          const float expected = analysis::rectangle_corner_factor(m[i], n[i]);
          EXPECT_TRUE(same_bits(got[i], expected))
              << "m " << m[i] << " n " << n[i] << ": " << got[i] << " " << expected;
        }
      }
    }
  }
}

}  // namespace
