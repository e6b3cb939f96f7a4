// The exact profile, step by step: the sublayers, the initial stresses with
// the groundwater, and the water change.
#include "analysis/exact_profile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "loads/embankment.h"
#include "site/project_checks.h"
#include "site/value_tree.h"

namespace analysis {
namespace {

std::string text_of(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.6g", value);
  return buffer;
}

// lb/ft3 x ft / 1000 gives ksf; kN/m3 x m gives kPa.
double weight_factor(const site::Project& project) {
  return project.units == site::Units::kUs ? 0.001 : 1.0;
}

double water_unit_weight(const site::Project& project) {
  const bool us = project.units == site::Units::kUs;
  double weight = us ? 62.4 : 9.81;
  if (project.groundwater && project.groundwater->unit_weight)
    weight = *project.groundwater->unit_weight;
  return weight * weight_factor(project);
}

// The total vertical stress at depth `z`: the weight of the ground above it,
// each layer's unit weight above the water table and its saturated one below.
class Overburden {
 public:
  explicit Overburden(const site::Project& project) : project_(project) {
    water_table_ = project.groundwater ? project.groundwater->water_table : HUGE_VAL;
  }

  double at(double z) const {
    double total = 0.0;
    double top = 0.0;
    for (const site::Layer& layer : project_.layers) {
      if (top >= z) break;
      const double bottom = std::min(layer.bottom, z);
      const double dry = std::clamp(water_table_, top, bottom) - top;
      const double wet = bottom - top - dry;
      total +=
          dry * layer.unit_weight + wet * layer.saturated_unit_weight.value_or(layer.unit_weight);
      top = layer.bottom;
    }
    return total * weight_factor(project_);
  }

 private:
  const site::Project& project_;
  double water_table_ = HUGE_VAL;
};

// The pore pressure at depth `z` in layer `layer` (from `top` to `bottom`)
// with the phreatic surface at `water_table` (infinite for dry ground): the
// layer's heads where it gives them, else hydrostatic below the surface.
double pore_pressure(const site::Layer& layer, double top, double bottom, double z,
                     double water_table, double gamma_w) {
  if (layer.head_top && layer.head_bottom) {
    const double t = (z - top) / (bottom - top);
    const double u =
        gamma_w * ((1.0 - t) * (top - *layer.head_top) + t * (bottom - *layer.head_bottom));
    return std::max(u, 0.0);
  }
  return gamma_w * std::max(z - water_table, 0.0);
}

const soils::Soil* soil_named(const site::Project& project, const std::string& name) {
  for (const soils::Soil& soil : project.soils)
    if (soil.name == name) return &soil;
  return nullptr;
}

}  // namespace

std::vector<double> stress_nodes(const ExactProfile& profile) {
  std::vector<double> nodes;
  nodes.reserve(2 * profile.sublayers.size() + 1);
  for (const ExactSublayer& sublayer : profile.sublayers) {
    nodes.push_back(sublayer.top);
    nodes.push_back(sublayer.centre);
  }
  nodes.push_back(profile.sublayers.empty() ? 0.0 : profile.sublayers.back().bottom);
  return nodes;
}

std::size_t first_counted_sublayer(const ExactProfile& profile, int start_layer) {
  if (start_layer < 1 || static_cast<std::size_t>(start_layer) >= profile.layer_starts.size())
    return 0;
  return profile.layer_starts[static_cast<std::size_t>(start_layer - 1)];
}

double initial_effective_stress(const site::Project& project, const ExactProfile& profile,
                                std::size_t layer, double depth) {
  const site::Layer& given = project.layers[layer];
  const double top = layer == 0 ? 0.0 : project.layers[layer - 1].bottom;
  const double water_table = project.groundwater ? project.groundwater->water_table : HUGE_VAL;
  return Overburden(project).at(depth) -
         pore_pressure(given, top, given.bottom, depth, water_table, profile.water_unit_weight);
}

ExactPreparation prepare_exact(const site::Project& project) {
  ExactPreparation preparation;
  ExactProfile& profile = preparation.profile;
  profile.settlement_factor = project.units == site::Units::kUs ? 12.0 : 1000.0;
  profile.water_unit_weight = water_unit_weight(project);

  const double water_table = project.groundwater ? project.groundwater->water_table : HUGE_VAL;
  const bool water_changes = project.groundwater && project.groundwater->final_water_table;
  const double final_table = water_changes ? *project.groundwater->final_water_table : water_table;
  const Overburden overburden(project);
  const double gamma_w = profile.water_unit_weight;

  double top = 0.0;
  for (std::size_t l = 0; l < project.layers.size(); ++l) {
    const site::Layer& layer = project.layers[l];
    profile.layer_starts.push_back(profile.sublayers.size());
    profile.layer_soils.push_back(soil_named(project, layer.soil));
    const double thickness = layer.bottom - top;
    const long long n = site::exact_sublayer_count(thickness, project.analysis.max_sublayer);
    for (long long i = 1; i <= n; ++i) {
      ExactSublayer sublayer;
      sublayer.layer = l;
      sublayer.top = top + static_cast<double>(i - 1) * thickness / static_cast<double>(n);
      sublayer.bottom =
          i == n ? layer.bottom : top + static_cast<double>(i) * thickness / static_cast<double>(n);
      sublayer.centre = (sublayer.top + sublayer.bottom) / 2.0;
      sublayer.thickness_factor = layer.thickness_factor;
      sublayer.sigma_v0 = overburden.at(sublayer.centre);
      sublayer.u0 = pore_pressure(layer, top, layer.bottom, sublayer.centre, water_table, gamma_w);
      sublayer.sigma_eff0 = sublayer.sigma_v0 - sublayer.u0;
      // The heads a layer gives hold after the change; elsewhere the water
      // stands hydrostatic from the final table.
      const double uf =
          water_changes && !layer.head_top
              ? pore_pressure(layer, top, layer.bottom, sublayer.centre, final_table, gamma_w)
              : sublayer.u0;
      sublayer.water_change = sublayer.u0 - uf;
      if (!(sublayer.sigma_eff0 > 0.0) && preparation.diagnostics.size() < 1) {
        preparation.diagnostics.push_back(
            {site::Severity::kError, site::indexed_path("layers", l),
             "at depth " + text_of(sublayer.centre) +
                 " the initial effective stress is not above 0: sigma_v0 = " +
                 text_of(sublayer.sigma_v0) + ", u0 = " + text_of(sublayer.u0) +
                 ", sigma'0 = " + text_of(sublayer.sigma_eff0) +
                 " (the pore pressure carries all the weight above: an artesian head, or a "
                 "layer of no weight)",
             0});
      }
      profile.sublayers.push_back(sublayer);
    }
    top = layer.bottom;
  }
  profile.layer_starts.push_back(profile.sublayers.size());

  for (const site::Point& point : project.points)
    profile.points.push_back(
        {point.x, point.y, first_counted_sublayer(profile, point.start_layer)});
  const double fill_factor = project.units == site::Units::kUs ? loads::kUsFillPressureFactor
                                                               : loads::kSiFillPressureFactor;
  for (const loads::Load& load : project.loads)
    profile.loads.push_back(loads::prepare(load, fill_factor));
  return preparation;
}

}  // namespace analysis
