// The soil profile cut into sublayers: the stress depths, the overburden
// pressures and the initial strains.
#include "analysis/soil_profile.h"

#include <cassert>

#include "analysis/compressibility.h"
#include "problem/sublayer_division.h"

namespace analysis {
namespace {

// Cuts every layer into sublayers of 0.5 and copies the layer's values into
// them. The bottoms run on from the surface in steps of 0.5 and are never
// reset to the layer depths, so the remainders of thin-ended layers are lost.
void divide_layers(problem::ProblemData& problem) {
  int k = 0;
  float bottom = 0.0f;
  for (int i = 1; i <= problem.layer_count; ++i) {
    const problem::SoilLayer& layer = problem.layers[i];
    const std::int64_t count = problem::sublayers_in(problem::layer_thickness(problem, i));
    for (std::int64_t n = 0; n < count; ++n) {
      ++k;
      bottom = bottom + problem::kSublayerThickness;
      problem::Sublayer& sublayer = problem.sublayers[k];
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
    problem::Sublayer& sublayer = problem.sublayers[s];
    const float bottom = sublayer.bottom_depth;
    sublayer.centre_depth = (top + bottom) * 0.5f;
    sublayer.thickness = bottom - top;
    problem.stress_depths[2 * s - 1] = top;
    problem.stress_depths[2 * s] = sublayer.centre_depth;
    top = bottom;
  }
  problem.stress_depths[2 * problem.sublayer_count + 1] = top;
}

// The weight of the soil above each sublayer centre. The running total stays
// in double so that a long profile does not gather single-precision rounding;
// only the pressure handed to each sublayer is single.
void set_overburden_pressures(problem::ProblemData& problem) {
  double total = 0.0;
  for (int s = 1; s <= problem.sublayer_count; ++s) {
    problem::Sublayer& sublayer = problem.sublayers[s];
    // The weight of half the sublayer, multiplied in this order.
    const float half =
        ((problem.gravity_factor * sublayer.unit_weight) * sublayer.thickness) * 0.5f / 1000.0f;
    sublayer.overburden_pressure = static_cast<float>(total + static_cast<double>(half));
    total = total + static_cast<double>(half) + static_cast<double>(half);
  }
}

}  // namespace

void form_sublayers(problem::ProblemData& problem) {
  assert(problem::count_sublayers(problem) <= problem::kMaxSublayers);
  divide_layers(problem);
  set_geometry(problem);
  set_overburden_pressures(problem);
}

void compute_initial_strains(problem::ProblemData& problem) {
  for (int s = 1; s <= problem.sublayer_count; ++s) {
    problem::Sublayer& sublayer = problem.sublayers[s];
    const problem::CompressibilityCurve& curve = curve_of(problem, sublayer.curve_index);
    // A slope line has no strains of its own: its strain increases are
    // measured from the initial pressure, so it starts from zero.
    sublayer.initial_strain =
        is_slope_line(curve) ? 0.0f : strain_at(curve, sublayer.overburden_pressure).strain;
  }
}

}  // namespace analysis
