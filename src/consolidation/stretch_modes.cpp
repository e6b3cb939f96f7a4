// The modes of a drainage stretch by the Prüfer angle, which counts them.
//
// In a layer, φ'' = −β² φ with β = ω / √cv. Writing φ = ρ sin θ and
// φ' / β = ρ cos θ, the angle θ grows by exactly β h through the layer. At a
// boundary between layers φ and the flow mv cv φ' are continuous, so φ' / β
// is scaled by r = e_above / e_below, e = mv √cv: the angle moves within its
// quarter turn, to atan2(sin θ, r cos θ), and never past a multiple of π/2.
// The angle at the stretch's bottom grows strictly with ω; mode n is the ω at
// which it meets the bottom's condition for the n-th time. Since each layer
// boundary moves the angle by less than π/2, ω_n lies within
// (m − 1) π / 2 / τ of (target − θ_top) / τ, τ = Σ h / √cv over m layers: a
// bracket that can hold no other mode, so none is ever missed.
#include "consolidation/stretch_modes.h"

#include <boost/math/tools/toms748_solve.hpp>
#include <cassert>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace consolidation {
namespace {

constexpr double kPi = std::numbers::pi;

double angle_at_top(const Stretch& stretch) {
  return stretch.top == Boundary::kDrained ? 0.0 : kPi / 2.0;
}

// The angle the bottom must reach for mode n: φ = 0 (a multiple of π) where
// drained, φ' = 0 (π/2 plus a multiple of π) where impermeable.
double target_angle(const Stretch& stretch, std::size_t n) {
  const double turns = static_cast<double>(n);
  if (stretch.bottom == Boundary::kDrained) return turns * kPi;
  // From an impermeable top the first mode needs a full half turn more.
  const double first = stretch.top == Boundary::kDrained ? 0.0 : 1.0;
  return kPi / 2.0 + (turns - 1.0 + first) * kPi;
}

double effusivity(const StretchLayer& layer) { return layer.mv * std::sqrt(layer.cv); }

double angle_at_bottom(const Stretch& stretch, double omega) {
  double angle = angle_at_top(stretch);
  for (std::size_t i = 0; i < stretch.layers.size(); ++i) {
    const StretchLayer& layer = stretch.layers[i];
    angle += omega * layer.thickness / std::sqrt(layer.cv);
    if (i + 1 == stretch.layers.size()) break;
    const double ratio = effusivity(layer) / effusivity(stretch.layers[i + 1]);
    const double turns = std::floor(angle / kPi);
    const double within = angle - turns * kPi;
    angle = turns * kPi + std::atan2(std::sin(within), ratio * std::cos(within));
  }
  return angle;
}

}  // namespace

double mode_frequency(const Stretch& stretch, std::size_t n, double previous) {
  assert(!stretch.layers.empty() && n >= 1);
  assert(stretch.top == Boundary::kDrained || stretch.bottom == Boundary::kDrained);
  double travel = 0.0;  // τ
  for (const StretchLayer& layer : stretch.layers) travel += layer.thickness / std::sqrt(layer.cv);
  const double target = target_angle(stretch, n);
  const double spread = static_cast<double>(stretch.layers.size() - 1) * kPi / 2.0;
  const double centre = (target - angle_at_top(stretch)) / travel;
  // The bracket widened by a few ulps, so that a single layer's exact root
  // lies inside it.
  const double slack = 1e-12 * centre;
  double low = std::max(previous, centre - spread / travel - slack);
  double high = centre + spread / travel + slack;
  const auto miss = [&](double omega) { return angle_at_bottom(stretch, omega) - target; };
  double miss_low = miss(low);
  double miss_high = miss(high);
  if (miss_low >= 0.0) return low;
  if (miss_high <= 0.0) return high;
  std::uintmax_t iterations = 100;
  const auto bracket =
      boost::math::tools::toms748_solve(miss, low, high, miss_low, miss_high,
                                        boost::math::tools::eps_tolerance<double>(52), iterations);
  return 0.5 * (bracket.first + bracket.second);
}

void mode_shape(const Stretch& stretch, double omega, std::span<double> a, std::span<double> b) {
  const std::size_t m = stretch.layers.size();
  assert(a.size() == m && b.size() == m);
  // Step 1: from the top's condition down, φ and the flow carried across each
  // layer boundary; B' = r (−A sin βh + B cos βh) is the flow's continuity.
  double phi = stretch.top == Boundary::kDrained ? 0.0 : 1.0;
  double slope = stretch.top == Boundary::kDrained ? 1.0 : 0.0;  // φ' / β
  for (std::size_t i = 0; i < m; ++i) {
    const StretchLayer& layer = stretch.layers[i];
    a[i] = phi;
    b[i] = slope;
    const double angle = omega * layer.thickness / std::sqrt(layer.cv);
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    phi = a[i] * c + b[i] * s;
    slope = -a[i] * s + b[i] * c;
    if (i + 1 < m) slope *= effusivity(layer) / effusivity(stretch.layers[i + 1]);
  }
  // Step 2: the weight Σ mv ∫ (A cos βζ + B sin βζ)² dζ, and the scale to 1.
  double weight = 0.0;
  for (std::size_t i = 0; i < m; ++i) {
    const StretchLayer& layer = stretch.layers[i];
    const double beta = omega / std::sqrt(layer.cv);
    const double h = layer.thickness;
    const double s = std::sin(beta * h);
    const double half_sin_twice = s * std::cos(beta * h) / (2.0 * beta);  // sin 2βh / 4β
    weight += layer.mv * (a[i] * a[i] * (h / 2.0 + half_sin_twice) +
                          b[i] * b[i] * (h / 2.0 - half_sin_twice) + a[i] * b[i] * s * s / beta);
  }
  const double scale = 1.0 / std::sqrt(weight);
  for (std::size_t i = 0; i < m; ++i) {
    a[i] *= scale;
    b[i] *= scale;
  }
}

}  // namespace consolidation
