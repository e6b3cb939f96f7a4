// The fast form of the elliptic integrals (complete integrals from a table of
// sines, ordinates several at a time) gives the very bits of the plain rule,
// taken one ordinate after another.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "loads/archived_influence.h"

namespace {

// Weddle's rule over 12 intervals, one ordinate at a time, the abscissae
// accumulated from 0.
loads::EllipticIntegrals ordinate_by_ordinate(double phi, double m) {
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
      const loads::EllipticIntegrals got = loads::elliptic_integrals(phi, m);
      const loads::EllipticIntegrals expected = ordinate_by_ordinate(phi, m);
      EXPECT_TRUE(same_bits(got.e, expected.e)) << got.e << " " << expected.e;
      EXPECT_TRUE(same_bits(got.f, expected.f)) << got.f << " " << expected.f;
    }
  }
}

}  // namespace
