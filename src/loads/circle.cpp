// The uniformly loaded circle, off its axis by the complete elliptic integrals
// of the exact solution, in Bulirsch's general form.
#include "loads/circle.h"

#include <boost/math/constants/constants.hpp>
#include <boost/math/special_functions/cos_pi.hpp>
#include <boost/math/special_functions/sin_pi.hpp>
#include <cmath>

#include "loads/archived_influence.h"
#include "loads/rectangle.h"

namespace loads {
namespace {

constexpr double kPi = boost::math::constants::pi<double>();

// Bulirsch's general complete elliptic integral (Bulirsch 1969; Numerical
// Recipes 6.11), for p > 0:
//
//   cel(kc, p, a, b) = integral over t from 0 to pi/2 of
//     (a cos^2 t + b sin^2 t) / ((cos^2 t + p sin^2 t) sqrt(cos^2 t + kc^2 sin^2 t)).
//
// K, E and the third kind are each one call with kc = k', and one
// arithmetic-geometric loop of quadratic convergence serves each: the error
// after a step is the square of the test's 1e-8, below the last bit.
double cel(double kc, double p, double a, double b) {
  double qc = std::abs(kc);
  double e = qc;
  double em = 1.0;
  p = std::sqrt(p);
  b /= p;
  for (int step = 0; step < 64; ++step) {
    const double f = a;
    a += b / p;
    double g = e / p;
    b = 2.0 * (b + f * g);
    p += g;
    g = em;
    em += qc;
    if (std::abs(g - qc) <= g * 1e-8) break;
    qc = 2.0 * std::sqrt(e);
    e = qc * em;
  }
  return kPi / 2.0 * (b + a * em) / (em * (em + p));
}

}  // namespace

LoadProblems check_fields(const Circle& circle) {
  LoadProblems found;
  require_positive(found, "diameter", circle.diameter, "a circle's diameter");
  require_not_negative(found, "depth", circle.depth, "a load's depth");
  warn_if_zero(found, "pressure", circle.pressure);
  check_schedule(circle.schedule, found);
  return found;
}

PreparedCircle prepare(const Circle& circle) {
  return {{circle.x, circle.y}, circle.diameter / 2.0, circle.pressure, circle.depth};
}

double circle_stress_ratio(double radius, double r, double z) {
  const double a = radius;
  if (r == 0.0) {
    // On the axis (Love 1929): 1 - (z^2 / (a^2 + z^2))^(3/2).
    const double share = z * z / (a * a + z * z);
    return 1.0 - share * std::sqrt(share);
  }
  // Off the axis, in the vertical plane through the centre:
  //
  //        centre        point
  //   -a ----+------------+--- a ----->      d = a - r (negative outside)
  //          |            | z
  //          |            P                 R1, R2: from P to the rim's nearest
  //                                         and farthest points
  //
  // With k^2 = 4 a r / R2^2 and k' = R1 / R2, the share seen through the disk
  // is 1 - Lambda0(beta, k) / 2 inside and Lambda0 / 2 outside (Heuman's Lambda0,
  // sin(beta) = z / R1), and the depth term subtracts
  // (z^2 - a^2 + r^2) / (R1 R2) z E(k) / (pi R1). Lambda0 is the circular case
  // of the complete integral of the third kind (Byrd and Friedman 410.01) with
  // characteristic n = (a + r)^2 / R2^2, which puts the sign of d into it:
  //
  //   seen = 1/2 + z d (Pi(n, k) - K(k)) / (pi (a + r) R2),
  //
  // and Pi - K = cel(k', 1 - n, 0, n), E = cel(k', 1, 1, k'^2).
  const double d = a - r;
  const double r1_sq = d * d + z * z;
  const double r2_sq = (a + r) * (a + r) + z * z;
  const double r2 = std::sqrt(r2_sq);
  const double kc = std::sqrt(r1_sq) / r2;
  const double p = z * z / r2_sq;  // 1 - n
  const double third_less_first = cel(kc, p, 0.0, 1.0 - p);
  const double second = cel(kc, 1.0, 1.0, kc * kc);
  return 0.5 + z * d * third_less_first / (kPi * (a + r) * r2) -
         z * (z * z - a * a + r * r) * second / (kPi * r1_sq * r2);
}

double stress_increase(const PreparedCircle& circle, PlanPoint point, double z) {
  const double r = std::hypot(point.x - circle.centre.x, point.y - circle.centre.y);
  return circle.pressure * circle_stress_ratio(circle.radius, r, z);
}

double surface_stress_increase(const PreparedCircle& circle, PlanPoint point) {
  const double beyond_rim =
      std::hypot(point.x - circle.centre.x, point.y - circle.centre.y) - circle.radius;
  if (beyond_rim > kOnOutline) return 0.0;
  if (beyond_rim >= -kOnOutline) return circle.pressure / 2.0;
  return circle.pressure;
}

Outline plan_outline(const Circle& circle) {
  const double radius = circle.diameter / 2.0;
  Outline outline;
  for (int i = 0; i < kCircleChords; ++i) {
    // In half turns, so that the extremes fall on the axes exactly.
    const double half_turns = 2.0 * i / kCircleChords;
    outline.ring.push_back({circle.x + radius * boost::math::cos_pi(half_turns),
                            circle.y + radius * boost::math::sin_pi(half_turns)});
  }
  return outline;
}

// ---- The classic method: the archived arithmetic, in single precision ----

ClassicCircle prepare_classic(const Circle& circle) {
  return {static_cast<float>(circle.x), static_cast<float>(circle.y),
          static_cast<float>(circle.diameter) * 0.5f, static_cast<float>(circle.pressure),
          static_cast<float>(circle.depth)};
}

void add_classic_stress(const ClassicCircle& circle, float x, float y,
                        std::span<const float> depths, std::span<float> row) {
  const float a = circle.radius;
  const float dx = circle.x - x;
  const float dy = circle.y - y;
  float r = std::sqrt(dx * dx + dy * dy);
  // A point that is on the rim to within rounding gets the rim value.
  if (std::abs(a - r) < 0.00001f) r = a;
  for (std::size_t k = 0; k < depths.size(); ++k) {
    float z = depths[k] - circle.elevation;
    if (std::abs(z) < 0.00001f) z = 0.0f;
    if (z < 0.0f) continue;
    row[k] += cut_to_five_decimals(circle_stress_ratio(a, r, z)) * circle.loading;
  }
}

}  // namespace loads
