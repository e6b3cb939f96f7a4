// The soil profile cut into sublayers: start sublayers, the division rule, the
// stress depths, the overburden pressures and the initial strains.
#include "analysis/soil_profile.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <limits>

#include "analysis/compressibility.h"

namespace analysis {
namespace {

constexpr std::int64_t kCountLimit = std::numeric_limits<std::int64_t>::max();

// NINT(2 x depth) + 1 with the doubling in single precision and halves rounded
// away from zero. Depths too large for an integer saturate instead of
// overflowing; a depth that is not a number counts as the ground surface.
std::int32_t half_units_above_plus_one(float depth) {
  const float doubled = 2.0f * depth;
  if (std::isnan(doubled)) return 1;
  constexpr float kBound = 4294967296.0f;  // well outside int32, exact in long long
  const long long result = std::llround(std::clamp(doubled, -kBound, kBound)) + 1;
  return static_cast<std::int32_t>(std::clamp<long long>(
      result, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// The whole half units in a layer of thickness `thickness`: 2n, plus one when
// the part after the whole units n reaches 0.5. A thin, empty, inverted or
// non-numeric layer has none; a huge one saturates rather than overflows.
std::int64_t sublayers_in(double thickness) {
  if (!(thickness >= 0.5)) return 0;
  constexpr double kHuge = 4611686018427387904.0;  // 2^62: 2n + 1 still fits
  if (thickness >= kHuge) return kCountLimit;
  const double whole = std::trunc(thickness);
  const auto n = static_cast<std::int64_t>(whole);
  return 2 * n + (thickness - whole >= 0.5 ? 1 : 0);
}

std::int64_t saturating_add(std::int64_t a, std::int64_t b) {
  return a > kCountLimit - b ? kCountLimit : a + b;
}

double layer_thickness(const problem::ProblemData& problem, int layer) {
  return static_cast<double>(problem.boundary_depths[static_cast<std::size_t>(layer)]) -
         static_cast<double>(problem.boundary_depths[static_cast<std::size_t>(layer - 1)]);
}

int layers_held(const problem::ProblemData& problem) {
  return std::clamp(problem.layer_count, 0, problem::kMaxLayers);
}

// Cuts every layer into sublayers of 0.5 and copies the layer's values into
// them. The bottoms run on from the surface in steps of 0.5 and are never
// reset to the layer depths, so the remainders of thin-ended layers are lost.
void divide_layers(problem::ProblemData& problem) {
  int k = 0;
  float bottom = 0.0f;
  for (int i = 1; i <= layers_held(problem); ++i) {
    const problem::SoilLayer& layer = problem.layers[static_cast<std::size_t>(i)];
    const std::int64_t count = sublayers_in(layer_thickness(problem, i));
    for (std::int64_t n = 0; n < count && k < problem::kMaxSublayers; ++n) {
      ++k;
      bottom = bottom + kSublayerThickness;
      problem::Sublayer& sublayer = problem.sublayers[static_cast<std::size_t>(k)];
      sublayer.sublayer_number = k;
      sublayer.curve_index = layer.curve_index;
      sublayer.unit_weight = layer.unit_weight;
      sublayer.thickness_factor = layer.thickness_factor;
      sublayer.bottom_depth = bottom;
    }
  }
  problem.sublayer_count = k;
}

// Top, centre and bottom of every sublayer as stress depths 2s-1, 2s and
// 2s+1; a sublayer's bottom is the next one's top, so it is stored once.
void set_geometry(problem::ProblemData& problem) {
  float top = 0.0f;
  for (int s = 1; s <= problem.sublayer_count; ++s) {
    problem::Sublayer& sublayer = problem.sublayers[static_cast<std::size_t>(s)];
    const float bottom = sublayer.bottom_depth;
    sublayer.centre_depth = (top + bottom) * 0.5f;
    sublayer.thickness = bottom - top;
    problem.stress_depths[static_cast<std::size_t>(2 * s - 1)] = top;
    problem.stress_depths[static_cast<std::size_t>(2 * s)] = sublayer.centre_depth;
    top = bottom;
  }
  problem.stress_depths[static_cast<std::size_t>(2 * problem.sublayer_count + 1)] = top;
}

// The weight of the soil above each sublayer centre. The running total stays
// in double so that a long profile does not gather single-precision rounding;
// only the pressure handed to each sublayer is single.
void set_overburden_pressures(problem::ProblemData& problem) {
  double total = 0.0;
  for (int s = 1; s <= problem.sublayer_count; ++s) {
    problem::Sublayer& sublayer = problem.sublayers[static_cast<std::size_t>(s)];
    // The weight of half the sublayer, multiplied in this order.
    const float half =
        ((problem.gravity_factor * sublayer.unit_weight) * sublayer.thickness) * 0.5f / 1000.0f;
    sublayer.overburden_pressure = static_cast<float>(total + static_cast<double>(half));
    total = total + static_cast<double>(half) + static_cast<double>(half);
  }
}

}  // namespace

std::int32_t start_sublayer_of(const problem::ProblemData& problem, std::int32_t start_layer) {
  if (start_layer < 1 || start_layer > layers_held(problem)) return 0;
  return half_units_above_plus_one(
      problem.boundary_depths[static_cast<std::size_t>(start_layer - 1)]);
}

std::int64_t count_sublayers(const problem::ProblemData& problem) {
  std::int64_t count = 0;
  for (int i = 1; i <= layers_held(problem); ++i) {
    count = saturating_add(count, sublayers_in(layer_thickness(problem, i)));
  }
  return count;
}

void form_sublayers(problem::ProblemData& problem) {
  assert(count_sublayers(problem) <= problem::kMaxSublayers);
  divide_layers(problem);
  set_geometry(problem);
  set_overburden_pressures(problem);
}

void compute_initial_strains(problem::ProblemData& problem) {
  for (int s = 1; s <= problem.sublayer_count; ++s) {
    problem::Sublayer& sublayer = problem.sublayers[static_cast<std::size_t>(s)];
    const problem::CompressibilityCurve& curve = curve_of(problem, sublayer.curve_index);
    // A slope line has no strains of its own: its strain increases are
    // measured from the initial pressure, so it starts from zero.
    sublayer.initial_strain =
        is_slope_line(curve) ? 0.0f : strain_at(curve, sublayer.overburden_pressure).strain;
  }
}

}  // namespace analysis
