// The exact analysis point by point, and the warnings it gathers layer by
// layer.
#include "analysis/exact_analysis.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <mutex>
#include <string>
#include <variant>

#include "analysis/point_workers.h"
#include "site/value_tree.h"

namespace analysis {
namespace {

std::string text_of(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.6g", value);
  return buffer;
}

// The stress of one load at the stress nodes below (x, y): `below` as the top
// or centre of a sublayer takes it, `above` as the bottom of the sublayer
// above takes it. They differ only at the load's level, where the z -> 0+
// limit counts for the sublayer below alone. With `group_below` and
// `group_above`, the stresses add to those too (a group's share; the totals
// keep the order of the loads, whatever the groups).
template <typename Kind>
void add_kind(const Kind& load, loads::PlanPoint at, const std::vector<double>& nodes,
              std::vector<double>& below, std::vector<double>& above,
              std::vector<double>* group_below, std::vector<double>* group_above) {
  const double level = load.level;
  for (std::size_t k = 0; k < nodes.size(); ++k) {
    const double z = nodes[k] - level;
    if (z > 0.0) {
      const double stress = loads::stress_increase(load, at, z);
      below[k] += stress;
      above[k] += stress;
      if (group_below != nullptr) {
        (*group_below)[k] += stress;
        (*group_above)[k] += stress;
      }
    } else if (z == 0.0) {
      const double stress = loads::surface_stress_increase(load, at);
      below[k] += stress;
      if (group_below != nullptr) (*group_below)[k] += stress;
    }
  }
}

// The kind is told once per column of nodes, not at every node.
void add_load(const loads::PreparedLoad& load, loads::PlanPoint at,
              const std::vector<double>& nodes, std::vector<double>& below,
              std::vector<double>& above, std::vector<double>* group_below = nullptr,
              std::vector<double>* group_above = nullptr) {
  std::visit(
      [&](const auto& kind) { add_kind(kind, at, nodes, below, above, group_below, group_above); },
      load);
}

// Simpson's average of each sublayer: (top + 4 centre + bottom) / 6.
void average(const std::vector<double>& below, const std::vector<double>& above,
             std::vector<double>& out) {
  const std::size_t n = (below.size() - 1) / 2;
  out.assign(n, 0.0);
  for (std::size_t s = 0; s < n; ++s)
    out[s] = (below[2 * s] + 4.0 * below[2 * s + 1] + above[2 * s + 2]) / 6.0;
}

// What a point's analysis found that the warnings report, per layer.
struct LayerNotes {
  long long unloaded = 0;  // sublayers unloading on a curve or slope soil
  long long raised = 0;    // sublayers whose given sigma_p lies below sigma'0
  double raised_top = HUGE_VAL;
  double raised_bottom = -HUGE_VAL;
};

struct PointOutcome {
  ResultPoint point;
  std::vector<LayerNotes> notes;
  std::optional<site::Diagnostic> stop;
};

// The point at `where`; `j` names it in a stop (nothing: a place that is
// no settlement point).
PointOutcome analyse_point(const site::Project& project, const ExactProfile& profile,
                           const std::vector<double>& nodes, const ExactPoint& where,
                           std::optional<std::size_t> j, const LoadGroups* groups,
                           LoadIncreases* increases) {
  const loads::PlanPoint at{where.x, where.y};
  std::vector<double> below(nodes.size(), 0.0), above(nodes.size(), 0.0);
  PointOutcome outcome;
  outcome.notes.resize(profile.layer_soils.size());
  ResultPoint& point = outcome.point;
  point.first_counted = where.first_counted;
  if (groups == nullptr) {
    for (const loads::PreparedLoad& load : profile.loads) add_load(load, at, nodes, below, above);
  } else {
    // Each group's stresses at the nodes besides the totals, then their averages.
    std::vector<std::vector<double>> group_below(groups->count,
                                                 std::vector<double>(nodes.size(), 0.0));
    std::vector<std::vector<double>> group_above = group_below;
    for (std::size_t i = 0; i < profile.loads.size(); ++i) {
      const std::size_t g = groups->of_load[i];
      add_load(profile.loads[i], at, nodes, below, above, &group_below[g], &group_above[g]);
    }
    increases->assign(groups->count, {});
    for (std::size_t g = 0; g < groups->count; ++g)
      average(group_below[g], group_above[g], (*increases)[g]);
  }
  average(below, above, point.stress_increase);

  const std::size_t n = profile.sublayers.size();
  point.strain.assign(n, 0.0);
  point.settlement_of.assign(n, 0.0);
  point.preconsolidation.assign(n, 0.0);
  for (std::size_t s = 0; s < n; ++s) {
    const ExactSublayer& sublayer = profile.sublayers[s];
    const soils::Soil& soil = *profile.layer_soils[sublayer.layer];
    const double initial = sublayer.sigma_eff0;
    const double final = initial + point.stress_increase[s] + sublayer.water_change;
    if (soils::is_logarithmic(soil) && !(final > 0.0)) {
      const std::string name =
          j ? "point " + project.points[*j].name.value_or(std::to_string(*j + 1))
            : "the place (" + text_of(where.x) + ", " + text_of(where.y) + ")";
      outcome.stop = site::Diagnostic{
          site::Severity::kError, j ? site::indexed_path("points", *j) : std::string(),
          name + ", sublayer " + std::to_string(s + 1) + " (" +
              site::indexed_path("layers", sublayer.layer) + ", depth " + text_of(sublayer.centre) +
              "): the final effective stress " + text_of(final) + " is not above 0 (sigma'0 " +
              text_of(initial) + ", stress increase " + text_of(point.stress_increase[s]) +
              ", water change " + text_of(sublayer.water_change) + "); soil \"" + soil.name +
              "\" follows the logarithm of the stress and cannot take it",
          0};
      return outcome;
    }
    const soils::StrainChange change = soils::strain_change(soil, initial, final);
    LayerNotes& notes = outcome.notes[sublayer.layer];
    if (change.unloads_on_loading) ++notes.unloaded;
    const auto* index = std::get_if<soils::IndexSoil>(&soil.model);
    if (change.preconsolidation_raised && index != nullptr && index->sigma_p) {
      ++notes.raised;
      notes.raised_top = std::min(notes.raised_top, sublayer.centre);
      notes.raised_bottom = std::max(notes.raised_bottom, sublayer.centre);
    }
    point.preconsolidation[s] = change.preconsolidation;
    point.strain[s] = change.strain;
    // A sublayer above the start layer keeps its strain and settles nothing.
    if (s < where.first_counted) continue;
    point.settlement_of[s] = change.strain * (sublayer.bottom - sublayer.top) *
                             sublayer.thickness_factor * profile.settlement_factor;
    point.settlement += point.settlement_of[s];
  }
  return outcome;
}

// The warnings of all points, one a layer and kind, in the order of the layers.
std::vector<site::Diagnostic> layer_warnings(const ExactProfile& profile,
                                             const std::vector<PointOutcome>& outcomes) {
  std::vector<site::Diagnostic> warnings;
  for (std::size_t l = 0; l < profile.layer_soils.size(); ++l) {
    LayerNotes all;
    long long points_unloaded = 0;
    for (const PointOutcome& outcome : outcomes) {
      const LayerNotes& notes = outcome.notes[l];
      all.unloaded += notes.unloaded;
      points_unloaded += notes.unloaded > 0 ? 1 : 0;
      all.raised = std::max(all.raised, notes.raised);
      all.raised_top = std::min(all.raised_top, notes.raised_top);
      all.raised_bottom = std::max(all.raised_bottom, notes.raised_bottom);
    }
    const soils::Soil& soil = *profile.layer_soils[l];
    const std::string path = site::indexed_path("layers", l);
    if (all.unloaded > 0) {
      warnings.push_back(
          {site::Severity::kWarning, path,
           std::to_string(all.unloaded) + " sublayer" + (all.unloaded == 1 ? "" : "s") + " under " +
               std::to_string(points_unloaded) + " point" + (points_unloaded == 1 ? "" : "s") +
               " unload on soil \"" + soil.name + "\", a " +
               std::string(std::visit([](const auto& m) { return m.kModel; }, soil.model)) +
               " soil with no unload branch: their heave follows its loading line back",
           0});
    }
    if (all.raised > 0) {
      warnings.push_back({site::Severity::kWarning, path,
                          "soil \"" + soil.name + "\" gives a sigma_p below sigma'0 at depths " +
                              text_of(all.raised_top) + " to " + text_of(all.raised_bottom) +
                              ": the soil is taken as normally consolidated there",
                          0});
    }
  }
  return warnings;
}

}  // namespace

ExactAnalysis analyse_exact(const site::Project& project, const ExactProfile& profile,
                            const LoadGroups* groups) {
  ExactAnalysis analysis;
  const std::vector<double> nodes = stress_nodes(profile);
  for (const ExactSublayer& s : profile.sublayers)
    analysis.results.sublayers.push_back({s.layer, s.top, s.bottom, s.thickness_factor, s.sigma_v0,
                                          s.u0, s.sigma_eff0, s.water_change});
  const std::size_t points = profile.points.size();
  std::vector<PointOutcome> outcomes(points);
  if (groups != nullptr) analysis.increases.assign(points, {});
  for_each_point(static_cast<int>(points), [&](int j) {
    const auto p = static_cast<std::size_t>(j - 1);
    outcomes[p] = analyse_point(project, profile, nodes, profile.points[p], p, groups,
                                groups != nullptr ? &analysis.increases[p] : nullptr);
  });
  for (PointOutcome& outcome : outcomes) {
    if (outcome.stop) {
      analysis.stop = std::move(outcome.stop);
      return analysis;
    }
  }
  analysis.results.warnings = layer_warnings(profile, outcomes);
  for (PointOutcome& outcome : outcomes)
    analysis.results.points.push_back(std::move(outcome.point));
  return analysis;
}

std::optional<PlaceAnalysis> analyse_place(const site::Project& project,
                                           const ExactProfile& profile, double x, double y,
                                           std::size_t first_counted, const LoadGroups* groups) {
  PlaceAnalysis place;
  PointOutcome outcome =
      analyse_point(project, profile, stress_nodes(profile), ExactPoint{x, y, first_counted},
                    std::nullopt, groups, &place.increases);
  if (outcome.stop) return std::nullopt;
  place.point = std::move(outcome.point);
  return place;
}

double exact_settlement_at(const ExactProfile& profile, double x, double y,
                           std::size_t first_counted) {
  const std::vector<double> nodes = stress_nodes(profile);
  std::vector<double> below(nodes.size(), 0.0), above(nodes.size(), 0.0), increase;
  for (const loads::PreparedLoad& load : profile.loads) add_load(load, {x, y}, nodes, below, above);
  average(below, above, increase);
  double total = 0.0;
  for (std::size_t s = first_counted; s < profile.sublayers.size(); ++s) {
    const ExactSublayer& sublayer = profile.sublayers[s];
    const soils::Soil& soil = *profile.layer_soils[sublayer.layer];
    const double final = sublayer.sigma_eff0 + increase[s] + sublayer.water_change;
    if (soils::is_logarithmic(soil) && !(final > 0.0))
      return std::numeric_limits<double>::quiet_NaN();
    total += soils::strain_change(soil, sublayer.sigma_eff0, final).strain *
             (sublayer.bottom - sublayer.top) * sublayer.thickness_factor *
             profile.settlement_factor;
  }
  return total;
}

double exact_stress_at(const ExactProfile& profile, double x, double y, double depth) {
  const std::vector<double> nodes{depth};
  std::vector<double> below(1, 0.0), above(1, 0.0);
  for (const loads::PreparedLoad& load : profile.loads) add_load(load, {x, y}, nodes, below, above);
  return below[0];
}

}  // namespace analysis
