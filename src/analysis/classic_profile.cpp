// The classic profile, step by step as the archived program forms it.
#include "analysis/classic_profile.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <limits>

#include "analysis/compressibility.h"

namespace analysis {
namespace {

ClassicCurve classic_curve(const soils::Soil& soil) {
  ClassicCurve curve;
  std::visit(loads::Overloaded{
                 [&](const soils::Curve& points) {
                   curve.point_count = static_cast<std::int32_t>(points.strain.size());
                   for (std::size_t j = 0; j < points.strain.size(); ++j) {
                     curve.strain.push_back(classic_fraction(points.strain[j]));
                     curve.pressure.push_back(classic_real(points.pressure[j]));
                   }
                 },
                 [&](const soils::Slope& line) { curve.slope = classic_fraction(line.slope); },
                 // The classic method's checks refuse these models.
                 [](const soils::IndexSoil&) { assert(false); },
                 [](const soils::Modulus&) { assert(false); },
             },
             soil.model);
  return curve;
}

int position_of_soil(const site::Project& project, const std::string& name) {
  for (std::size_t k = 0; k < project.soils.size(); ++k)
    if (project.soils[k].name == name) return static_cast<int>(k) + 1;
  return 0;
}

// Cuts every layer into sublayers of 0.5 and copies the layer's values into
// them. The bottoms run on from the surface in steps of 0.5 and are never
// reset to the layer depths, so the remainders of thin-ended layers are lost.
void divide_layers(const site::Project& project, ClassicProfile& profile) {
  const bool si = project.units == site::Units::kSi;
  int k = 0;
  float bottom = 0.0f;
  float layer_top = 0.0f;
  for (std::size_t i = 0; i < project.layers.size(); ++i) {
    const site::Layer& layer = project.layers[i];
    const auto layer_bottom = static_cast<float>(layer.bottom);
    const std::int64_t count =
        classic_sublayers_in(static_cast<double>(layer_bottom) - static_cast<double>(layer_top));
    ClassicSublayer sublayer;
    sublayer.curve_index = position_of_soil(project, layer.soil);
    sublayer.layer = static_cast<int>(i) + 1;
    // SI profiles give unit weights; the archived arithmetic takes mass densities.
    sublayer.unit_weight =
        si ? classic_mass_density(layer.unit_weight) : classic_real(layer.unit_weight);
    sublayer.thickness_factor = classic_real(layer.thickness_factor);
    for (std::int64_t n = 0; n < count; ++n) {
      bottom = bottom + kSublayerThickness;
      sublayer.sublayer_number = ++k;
      sublayer.bottom_depth = bottom;
      profile.sublayers.push_back(sublayer);
    }
    layer_top = layer_bottom;
  }
}

// Top, centre and bottom of every sublayer as stress depths 2s-1, 2s and
// 2s+1; a sublayer's bottom is the next one's top, so it is stored once.
void set_geometry(ClassicProfile& profile) {
  float top = 0.0f;
  profile.stress_depths.resize(2 * profile.sublayer_count() + 1);
  for (int s = 1; s <= profile.sublayer_count(); ++s) {
    ClassicSublayer& sublayer = profile.sublayers[s];
    const float bottom = sublayer.bottom_depth;
    sublayer.centre_depth = (top + bottom) * 0.5f;
    sublayer.thickness = bottom - top;
    profile.stress_depths[2 * s - 1] = top;
    profile.stress_depths[2 * s] = sublayer.centre_depth;
    top = bottom;
  }
  profile.stress_depths[2 * profile.sublayer_count() + 1] = top;
}

// The weight of the soil above each sublayer centre. The running total stays
// in double so that a long profile does not gather single-precision rounding;
// only the pressure handed to each sublayer is single.
void set_overburden_pressures(ClassicProfile& profile) {
  double total = 0.0;
  for (ClassicSublayer& sublayer : profile.sublayers) {
    // The weight of half the sublayer, multiplied in this order.
    const float half =
        ((profile.gravity_factor * sublayer.unit_weight) * sublayer.thickness) * 0.5f / 1000.0f;
    sublayer.overburden_pressure = static_cast<float>(total + static_cast<double>(half));
    total = total + static_cast<double>(half) + static_cast<double>(half);
  }
}

void set_initial_strains(ClassicProfile& profile) {
  for (ClassicSublayer& sublayer : profile.sublayers) {
    // A slope line has no strains of its own: its strain increases are
    // measured from the initial pressure, so it starts from zero.
    const ClassicCurve& curve = curve_of(profile, sublayer.curve_index);
    sublayer.initial_strain =
        is_slope_line(curve) ? 0.0f : strain_at(curve, sublayer.overburden_pressure).strain;
  }
}

void place_points(const site::Project& project, ClassicProfile& profile) {
  for (const site::Point& point : project.points) {
    profile.points.push_back({static_cast<float>(point.x), static_cast<float>(point.y),
                              classic_start_sublayer(project, point.start_layer)});
  }
}

std::optional<ClassicPressureFault> find_pressure_fault(const ClassicProfile& profile) {
  for (int k = 1; k <= profile.curves.count(); ++k) {
    const ClassicCurve& curve = profile.curves[k];
    if (is_slope_line(curve)) continue;
    for (int j = 1; j <= curve.point_count; ++j)
      if (!(curve.pressure[j] > 0.0f)) return ClassicPressureFault{k, j, curve.pressure[j]};
  }
  return std::nullopt;
}

}  // namespace

std::int64_t classic_sublayers_in(double thickness) {
  // 2n for the whole units n, plus one when the part after them reaches 0.5.
  constexpr std::int64_t kCountLimit = std::numeric_limits<std::int64_t>::max();
  if (!(thickness >= 0.5)) return 0;
  constexpr double kHuge = 4611686018427387904.0;  // 2^62: 2n + 1 still fits
  if (thickness >= kHuge) return kCountLimit;
  const double whole = std::trunc(thickness);
  const auto n = static_cast<std::int64_t>(whole);
  return 2 * n + (thickness - whole >= 0.5 ? 1 : 0);
}

std::int32_t start_sublayer_below(float top_depth) {
  // NINT(2 x depth) + 1 with the doubling in single precision and halves
  // rounded away from zero. Depths too large for an integer saturate instead
  // of overflowing; a depth that is not a number counts as the ground surface.
  const float doubled = 2.0f * top_depth;
  if (std::isnan(doubled)) return 1;
  constexpr float kBound = 4294967296.0f;  // well outside int32, exact in long long
  const long long result = std::llround(std::clamp(doubled, -kBound, kBound)) + 1;
  return static_cast<std::int32_t>(std::clamp<long long>(
      result, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::int32_t classic_start_sublayer(const site::Project& project, int start_layer) {
  if (start_layer < 1 || start_layer > static_cast<int>(project.layers.size())) return 0;
  const float top =
      start_layer == 1
          ? 0.0f
          : static_cast<float>(project.layers[static_cast<std::size_t>(start_layer - 2)].bottom);
  return start_sublayer_below(top);
}

ClassicPreparation prepare_classic(const site::Project& project) {
  ClassicPreparation preparation;
  ClassicProfile& profile = preparation.profile;
  const bool si = project.units == site::Units::kSi;
  profile.gravity_factor = si ? 9.80665f : 1.0f;
  profile.settlement_factor = si ? 1000.0f : 12.0f;
  for (const soils::Soil& soil : project.soils) profile.curves.push_back(classic_curve(soil));
  divide_layers(project, profile);
  set_geometry(profile);
  set_overburden_pressures(profile);
  set_initial_strains(profile);
  place_points(project, profile);
  for (const loads::Load& load : project.loads)
    if (std::optional<loads::ClassicLoad> classic = loads::classic_form(load))
      profile.loads.push_back(std::move(*classic));
  preparation.fault = find_pressure_fault(profile);
  return preparation;
}

}  // namespace analysis
