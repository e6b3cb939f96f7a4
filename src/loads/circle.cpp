// The uniformly loaded circle, off its axis by the elliptic integrals of the
// exact solution: the complete ones by the arithmetic-geometric mean, the
// incomplete ones through Carlson's symmetric forms (Boost.Math).
#include "loads/circle.h"

#include <boost/math/constants/constants.hpp>
#include <boost/math/policies/policy.hpp>
#include <boost/math/special_functions/cos_pi.hpp>
#include <boost/math/special_functions/ellint_rd.hpp>
#include <boost/math/special_functions/ellint_rf.hpp>
#include <boost/math/special_functions/sin_pi.hpp>
#include <cmath>

#include "loads/archived_influence.h"
#include "loads/rectangle.h"

namespace loads {
namespace {

constexpr double kPi = boost::math::constants::pi<double>();

// Double precision throughout: Boost's default would carry each integral in
// long double, at several times the cost, for digits that the sum does not need.
using DoublePolicy = boost::math::policies::policy<boost::math::policies::promote_double<false>>;

// The complete elliptic integrals K(k) and E(k) from k'^2 = 1 - k^2, by the
// arithmetic-geometric mean of 1 and k' (Abramowitz and Stegun 17.6.3-4):
// K = pi / (2 a_N), E = K (1 - sum of 2^(n-1) c_n^2). It converges
// quadratically, to the last bit in five or six steps where k' is not tiny,
// at a fraction of the cost of Carlson's RF and RG, which converge linearly.
struct CompleteIntegrals {
  double k;
  double e;
};
CompleteIntegrals complete_integrals(double kc_sq) {
  double a = 1.0;
  double b = std::sqrt(kc_sq);
  double weight = 0.5;                  // 2^(n-1)
  double sum = weight * (1.0 - kc_sq);  // c_0^2 = k^2
  for (int step = 0; step < 64; ++step) {
    const double c = (a - b) / 2.0;
    const double next_a = (a + b) / 2.0;
    b = std::sqrt(a * b);
    a = next_a;
    weight *= 2.0;
    sum += weight * c * c;
    if (std::abs(c) <= 1e-17 * a) break;
  }
  const double k = kPi / (2.0 * a);
  return {k, k * (1.0 - sum)};
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
  //                                         and farthest points, a - r and a + r
  //
  // k^2 = 4 a r / R2^2, k'^2 = (R1 / R2)^2, sin(beta) = z / R1. The share seen
  // through the disk is 1 - Lambda0(beta, k) / 2 inside and Lambda0 / 2 outside,
  // with Heuman's Lambda0 = (2/pi) [K E(beta, k') - (K - E) F(beta, k')]; the
  // depth term subtracts (z^2 - a^2 + r^2) / (R1 R2) z E / (pi R1).
  const double d = a - r;
  const double r1_sq = d * d + z * z;
  const double r2_sq = (a + r) * (a + r) + z * z;
  const double r1 = std::sqrt(r1_sq);
  const double r2 = std::sqrt(r2_sq);
  const double kc_sq = r1_sq / r2_sq;
  const DoublePolicy policy;

  // Step 1: the complete integrals of modulus k, K and E.
  const auto [complete_k, complete_e] = complete_integrals(kc_sq);

  // Step 2: the incomplete integrals of amplitude beta and modulus k', from
  // sin(beta) and cos(beta) without an angle: F = s RF(c^2, 1 - k'^2 s^2, 1),
  // E = F - k'^2 s^3 RD(c^2, 1 - k'^2 s^2, 1) / 3.
  const double s = z / r1;
  const double c = d / r1;
  const double delta_sq = 1.0 - kc_sq * s * s;
  const double f_beta = s * boost::math::ellint_rf(c * c, delta_sq, 1.0, policy);
  const double e_beta =
      f_beta - kc_sq * s * s * s / 3.0 * boost::math::ellint_rd(c * c, delta_sq, 1.0, policy);

  // Step 3: the share seen through the disk, and the depth term.
  const double lambda = 2.0 / kPi * (complete_k * e_beta - (complete_k - complete_e) * f_beta);
  const double seen = d >= 0.0 ? 1.0 - lambda / 2.0 : lambda / 2.0;
  return seen - (z * z - a * a + r * r) / (r1 * r2) * z * complete_e / (kPi * r1);
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
