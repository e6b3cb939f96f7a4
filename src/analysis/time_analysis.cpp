// The columns of a project's points, their faults as the project's keys, and
// their histories.
#include "analysis/time_analysis.h"

#include <cstdio>
#include <string>

#include "analysis/point_workers.h"
#include "consolidation/column_check.h"
#include "consolidation/point_history.h"
#include "loads/load.h"
#include "site/value_tree.h"

namespace analysis {
namespace {

std::string text_of(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.6g", value);
  return buffer;
}

consolidation::Boundary boundary_of(site::Drainage drainage) {
  return drainage == site::Drainage::kDrained ? consolidation::Boundary::kDrained
                                              : consolidation::Boundary::kImpermeable;
}

consolidation::Drains drains_of(const site::Drains& given, double profile_base) {
  consolidation::Drains drains;
  drains.pattern = given.pattern == site::DrainPattern::kTriangle
                       ? consolidation::DrainPattern::kTriangle
                       : consolidation::DrainPattern::kSquare;
  drains.spacing = given.spacing;
  drains.diameter = given.diameter;
  drains.smear_ratio = given.smear_ratio;
  drains.kh_over_ks = given.kh_over_ks;
  drains.ch_over_cv = given.ch_over_cv;
  drains.discharge_capacity = given.discharge_capacity;
  drains.bottom = given.bottom.value_or(profile_base);
  drains.installed = given.installed;
  return drains;
}

const char* drain_key(consolidation::DrainValue value) {
  switch (value) {
    case consolidation::DrainValue::kSpacing:
      return "spacing";
    case consolidation::DrainValue::kDiameter:
      return "diameter";
    case consolidation::DrainValue::kSmearRatio:
      return "smear_ratio";
    case consolidation::DrainValue::kKhOverKs:
      return "kh_over_ks";
    case consolidation::DrainValue::kChOverCv:
      return "ch_over_cv";
    case consolidation::DrainValue::kDischargeCapacity:
      return "discharge_capacity";
    case consolidation::DrainValue::kBottom:
      return "bottom";
    case consolidation::DrainValue::kInstalled:
      return "installed";
  }
  return "";
}

}  // namespace

TimeSetup prepare_time(const site::Project& project, const ExactProfile& profile) {
  TimeSetup setup;
  // Step 1: the loads grouped by schedule, in the order of their first load.
  setup.groups.of_load.resize(project.loads.size());
  for (std::size_t i = 0; i < project.loads.size(); ++i) {
    const loads::Schedule schedule =
        std::visit([](const auto& load) { return load.schedule; }, project.loads[i]);
    std::size_t g = 0;
    while (g < setup.schedules.size() &&
           (setup.schedules[g].start != schedule.start || setup.schedules[g].ramp != schedule.ramp))
      ++g;
    if (g == setup.schedules.size()) {
      setup.schedules.push_back(schedule);
      setup.first_load.push_back(i);
    }
    setup.groups.of_load[i] = g;
  }
  setup.groups.count = setup.schedules.size();

  // Step 2: each layer's tangent compressibility at its middle.
  double top = 0.0;
  for (std::size_t l = 0; l < project.layers.size(); ++l) {
    const double bottom = project.layers[l].bottom;
    const double middle = (top + bottom) / 2.0;
    setup.tangent_mv.push_back(soils::tangent_compressibility(
        *profile.layer_soils[l], initial_effective_stress(project, profile, l, middle)));
    top = bottom;
  }

  // Step 3: the boundaries, the drains and the output times.
  if (project.consolidation) {
    setup.top = boundary_of(project.consolidation->top);
    setup.bottom = boundary_of(project.consolidation->bottom);
    setup.times = project.consolidation->times;
  }
  if (project.drains) setup.drains = drains_of(*project.drains, project.layers.empty() ? 0.0 : top);
  return setup;
}

consolidation::Column point_column(const TimeSetup& setup, const ExactProfile& profile,
                                   const ResultPoint& point, const LoadIncreases& increases) {
  consolidation::Column column;
  column.top = setup.top;
  column.bottom = setup.bottom;
  column.unit_weight_of_water = profile.water_unit_weight;
  column.drains = setup.drains;

  // The layers and their sublayers with the point's final state; Δσ holds
  // the water change.
  bool water_changes = false;
  for (std::size_t l = 0; l + 1 < profile.layer_starts.size(); ++l) {
    const soils::Soil& soil = *profile.layer_soils[l];
    consolidation::Layer layer;
    layer.free_draining = soil.free_draining;
    layer.cv = soil.cv;
    if (soil.c_alpha && *soil.c_alpha > 0.0)
      layer.secondary = consolidation::Secondary{*soil.c_alpha, soil.e0.value_or(1.0)};
    layer.tangent_mv = setup.tangent_mv[l];
    for (std::size_t s = profile.layer_starts[l]; s < profile.layer_starts[l + 1]; ++s) {
      const ExactSublayer& given = profile.sublayers[s];
      consolidation::Sublayer sublayer;
      sublayer.top = given.top;
      sublayer.bottom = given.bottom;
      sublayer.thickness_factor = given.thickness_factor;
      sublayer.counted = s >= point.first_counted;
      sublayer.strain = point.strain[s];
      sublayer.stress_increase = point.stress_increase[s] + given.water_change;
      sublayer.settlement_factor = profile.settlement_factor;
      sublayer.settlement = sublayer.counted
                                ? point.settlement_of[s]
                                : point.strain[s] * (given.bottom - given.top) *
                                      given.thickness_factor * profile.settlement_factor;
      water_changes |= given.water_change != 0.0;
      layer.sublayers.push_back(sublayer);
    }
    column.layers.push_back(std::move(layer));
  }

  // The increments: each group of loads on its schedule, then the water
  // change at once at time 0.
  for (std::size_t g = 0; g < setup.groups.count; ++g) {
    consolidation::Increment increment;
    increment.stress_increase = increases.empty() ? point.stress_increase : increases[g];
    increment.start = setup.schedules[g].start;
    increment.ramp = setup.schedules[g].ramp;
    column.increments.push_back(std::move(increment));
  }
  if (water_changes) {
    consolidation::Increment water;
    for (const ExactSublayer& sublayer : profile.sublayers)
      water.stress_increase.push_back(sublayer.water_change);
    column.increments.push_back(std::move(water));
  }
  return column;
}

site::Diagnostic fault_diagnostic(const site::Project& project, const ExactProfile& profile,
                                  const TimeSetup& setup, const consolidation::ColumnFault& fault,
                                  std::size_t point) {
  const std::string under =
      " (under point " + project.points[point].name.value_or(std::to_string(point + 1)) + ")";
  const auto soil_key = [&](std::size_t layer) {
    return "soils." + profile.layer_soils[layer]->name + ".cv";
  };
  const auto load_key = [&](std::size_t increment, const char* key) {
    const std::size_t load = increment < setup.first_load.size() ? setup.first_load[increment] : 0;
    return site::indexed_path("loads", load) + "." + key;
  };
  const auto error = [](std::string path, std::string message) {
    return site::Diagnostic{site::Severity::kError, std::move(path), std::move(message), 0};
  };
  return std::visit(
      loads::Overloaded{
          [&](const consolidation::CvNotPositive& f) {
            return error(soil_key(f.layer), text_of(f.cv) +
                                                " is not a coefficient of consolidation; expected "
                                                "more than 0 (" +
                                                site::indexed_path("layers", f.layer) +
                                                " consolidates)");
          },
          [&](const consolidation::CvMissing& f) {
            return error(soil_key(f.layer), "is missing: " + site::indexed_path("layers", f.layer) +
                                                " consolidates in the time-rate analysis; give "
                                                "cv, or free_draining = true");
          },
          [&](const consolidation::CompressibilityNotPositive& f) {
            return error(site::indexed_path("layers", f.layer),
                         "has no compressibility to consolidate with: its strain over its stress "
                         "increase is not positive, nor is the tangent of soil \"" +
                             profile.layer_soils[f.layer]->name + "\" at its middle (" +
                             text_of(f.tangent_mv) + "); make the soil free_draining" + under);
          },
          [&](const consolidation::NoDrainedBoundary&) {
            return error("consolidation.bottom",
                         "\"impermeable\" with an impermeable top and no free-draining layer: the "
                         "excess pore pressure could never drain away");
          },
          [&](const consolidation::TimeNegative& f) {
            return error(site::indexed_path("consolidation.times", f.time),
                         text_of(f.value) + " is before time 0");
          },
          [&](const consolidation::TimesNotIncreasing& f) {
            return error(site::indexed_path("consolidation.times", f.time),
                         text_of(f.value) + " does not come after the time before (" +
                             text_of(f.previous) + "); output times must increase");
          },
          [&](const consolidation::RampNegative& f) {
            return error(load_key(f.increment, "ramp"),
                         text_of(f.ramp) + " is negative; expected 0 or more");
          },
          [&](const consolidation::StartNegative& f) {
            return error(load_key(f.increment, "start"),
                         text_of(f.start) + " is before time 0; expected 0 or more");
          },
          [&](const consolidation::DrainsBelowColumn& f) {
            return error("drains.bottom", text_of(f.bottom) +
                                              " is deeper than the profile (its base is at " +
                                              text_of(f.column_bottom) + ")");
          },
          [&](const consolidation::DrainValueOutOfRange& f) {
            const bool smear = f.value_name == consolidation::DrainValue::kSmearRatio;
            const bool time = f.value_name == consolidation::DrainValue::kInstalled;
            return error(std::string("drains.") + drain_key(f.value_name),
                         text_of(f.value) + " is out of range; expected " +
                             (smear  ? "1 or more"
                              : time ? "0 or more"
                                     : "more than 0"));
          },
          [&](const consolidation::SmearBeyondInfluence& f) {
            return error("drains.smear_ratio",
                         "gives a smear zone " + text_of(f.smear_diameter) +
                             " across, not smaller than the drains' zone of influence (" +
                             text_of(f.influence_diameter) + "); expected a smaller ratio");
          },
      },
      fault);
}

std::optional<site::Diagnostic> analyse_time(const site::Project& project,
                                             const ExactProfile& profile, const TimeSetup& setup,
                                             const std::vector<LoadIncreases>& increases,
                                             SiteResults& results) {
  const std::size_t points = results.points.size();
  std::vector<std::optional<consolidation::ColumnFault>> faults(points);
  std::vector<std::optional<consolidation::PointHistory>> histories(points);
  static const LoadIncreases kNone;
  for_each_point(static_cast<int>(points), [&](int j) {
    const auto p = static_cast<std::size_t>(j - 1);
    const consolidation::Column column =
        point_column(setup, profile, results.points[p], increases.empty() ? kNone : increases[p]);
    faults[p] = consolidation::check_column(column, setup.times);
    if (!faults[p]) histories[p] = consolidation::point_history(column, setup.times);
  });
  for (std::size_t p = 0; p < points; ++p)
    if (faults[p]) return fault_diagnostic(project, profile, setup, *faults[p], p);
  for (std::size_t p = 0; p < points; ++p) results.points[p].time = std::move(histories[p]);
  return std::nullopt;
}

}  // namespace analysis
