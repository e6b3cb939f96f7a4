// The time solution of a point. The column splits at its free-draining layers
// into drainage stretches, each solved by its own modes; a free-draining layer
// follows its load at once.
//
// The modes kept at a time t follow from Parseval's identity: what the first N
// modes leave of an increment's initial excess, R_N = ‖u0‖² − Σ P_n², bounds
// the rest of the series. Each mode left out holds at most b(λ_n) of its
// projection (factor_bound, falling with λ), so the excess they hold has a
// norm of at most b(λ_(N+1)) √R_N in each radial class. The settlement it
// could add is its product with g = c / (mv h) over the class's counted
// sublayers, c their settlement per unit Δσ (Cauchy–Schwarz in Σ mv ∫ · dz),
// of which only what the first N modes leave of g, Q_N = ‖g‖² − Σ G_n², can
// meet it: at most b(λ_(N+1)) √R_N Σ √Q_N over the classes. The radial
// factors of Carrillo's rule, each at most 1 and the same for every mode at
// each elementary part of a load, give b(λ_(N+1)) √R_N ‖g‖ as well, which is
// the smaller where the well resistance gives every sublayer a class of its
// own; and, the factors with drains lying at most d(λ) below those without
// (radial_bound), also √R_N (b √Q_N + d ‖g‖) with Q_N of all classes
// together, which keeps to the few modes the vertical flow needs where the
// drains have not yet done much or the modes are fast. N is the first count
// for which the least is below the tolerance, and
// for which the excess left out, b √R_N, is below 1e-4 of the increment's
// ‖u0‖ where the pore pressures are asked for.
#include "consolidation/time_solution.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <map>
#include <utility>

#include "consolidation/drain_resistance.h"
#include "consolidation/mode_factors.h"

namespace consolidation {
namespace {

// The excess pore pressure the modes left out may hold, in norm, as a share
// of the increment's.
constexpr double kPoreTolerance = 1e-4;
// The most modes a stretch keeps: some 40 MB of centre values for 775
// sublayers; reached only just after a load's start in a thick, slow column.
constexpr std::size_t kMaxModes = 6000;
// The settled time: within this share of the final settlement.
constexpr double kSettled = 1e-6;

}  // namespace

TimeSolution::TimeSolution(const Column& column) : flows_(layer_flow(column)) {
  // Step 1: increments of equal schedule act as one.
  std::size_t sublayer_count = 0;
  for (const Layer& layer : column.layers) sublayer_count += layer.sublayers.size();
  std::map<std::pair<double, double>, std::size_t> by_schedule;
  for (const Increment& increment : column.increments) {
    assert(increment.stress_increase.size() == sublayer_count);
    const double ramp = increment.ramp > 0.0 ? increment.ramp : 0.0;
    const auto [entry, added] = by_schedule.try_emplace({increment.start, ramp}, schedules_.size());
    if (added) {
      schedules_.push_back({increment.start, ramp});
      stress_increase_.resize(stress_increase_.size() + sublayer_count, 0.0);
    }
    double* merged = stress_increase_.data() + entry->second * sublayer_count;
    for (std::size_t j = 0; j < sublayer_count; ++j) merged[j] += increment.stress_increase[j];
  }
  const std::size_t increments = schedules_.size();

  // Step 2: each sublayer's settlement per unit Δσ, each layer's settlement as
  // its increments are applied.
  if (column.drains) installed_ = column.drains->installed;
  layers_.resize(column.layers.size());
  for (std::size_t l = 0; l < column.layers.size(); ++l) {
    const Layer& layer = column.layers[l];
    LayerTerms& terms = layers_[l];
    terms.consolidating = !layer.free_draining;
    terms.applied_settlement.assign(increments, 0.0);
    for (const Sublayer& sublayer : layer.sublayers) {
      SublayerTerms sub;
      sub.layer = l;
      sub.counted = sublayer.counted;
      const double thickness = sublayer.bottom - sublayer.top;
      sub.settlement_per_stress =
          sublayer.stress_increase != 0.0
              ? sublayer.settlement / sublayer.stress_increase
              : flows_[l].mv * thickness * sublayer.thickness_factor * sublayer.settlement_factor;
      if (sub.counted) terms.final_primary += sublayer.settlement;
      const std::size_t j = sublayers_.size();
      for (std::size_t k = 0; k < increments && sub.counted; ++k) {
        const double settled = sub.settlement_per_stress * stress_increase_[k * sublayer_count + j];
        terms.applied_settlement[k] += settled;
        whole_settlement_ += std::fabs(settled);
      }
      sublayers_.push_back(sub);
    }
  }

  // Step 3: the drainage stretches, their radial classes and their groups.
  const std::optional<Drains>& drains = column.drains;
  std::size_t first_sublayer = 0;
  for (std::size_t l = 0; l < column.layers.size();) {
    if (column.layers[l].free_draining) {
      first_sublayer += column.layers[l].sublayers.size();
      ++l;
      continue;
    }
    std::size_t last = l;
    while (last + 1 < column.layers.size() && !column.layers[last + 1].free_draining) ++last;
    Stretch stretch;
    stretch.top = l == 0 ? column.top : Boundary::kDrained;
    stretch.bottom = last + 1 == column.layers.size() ? column.bottom : Boundary::kDrained;
    std::vector<TableSublayer> table_sublayers;
    std::vector<std::size_t> classes;
    std::vector<double> rates{0.0};
    std::map<double, std::size_t> class_of_rate;
    std::vector<Group> groups;
    std::map<std::pair<std::size_t, std::size_t>, std::size_t> group_of;
    std::vector<double> class_norms{0.0};
    std::vector<std::size_t> stretch_layers;
    std::size_t j = first_sublayer;
    for (std::size_t m = l; m <= last; ++m) {
      const Layer& layer = column.layers[m];
      const double top = layer.sublayers.front().top;
      stretch.layers.push_back({layer.sublayers.back().bottom - top, *layer.cv, flows_[m].mv});
      stretch_layers.push_back(m);
      for (const Sublayer& sublayer : layer.sublayers) {
        SublayerTerms& sub = sublayers_[j];
        const double centre = 0.5 * (sublayer.top + sublayer.bottom);
        const double thickness = sublayer.bottom - sublayer.top;
        // Step 3a: the radial class, by the rate of Hansbo's solution at the
        // centre; sublayers of equal rate share one.
        std::size_t radial_class = 0;
        if (drains && centre < drains->bottom) {
          const double rate = drain_rate(*drains, centre, *layer.cv, flows_[m].permeability);
          const auto [entry, added] = class_of_rate.try_emplace(rate, rates.size());
          radial_class = entry->second;
          if (added) {
            rates.push_back(rate);
            class_norms.push_back(0.0);
          }
        }
        sub.stretch = stretches_.size();
        classes.push_back(radial_class);
        TableSublayer row;
        row.layer = m - l;
        row.centre = centre - top;
        row.thickness = thickness;
        row.settlement_per_stress = sub.settlement_per_stress;
        if (sub.counted) {
          const auto [entry, added] = group_of.try_emplace({m, radial_class}, groups.size());
          if (added) groups.push_back({m, radial_class});
          row.group = entry->second;
          class_norms[radial_class] +=
              sub.settlement_per_stress * sub.settlement_per_stress / (flows_[m].mv * thickness);
        }
        table_sublayers.push_back(row);
        ++j;
      }
    }
    std::vector<double> stretch_stress(increments * table_sublayers.size());
    for (std::size_t k = 0; k < increments; ++k) {
      for (std::size_t i = 0; i < table_sublayers.size(); ++i) {
        stretch_stress[k * table_sublayers.size() + i] =
            stress_increase_[k * sublayer_count + first_sublayer + i];
      }
    }
    double group_norm = 0.0;
    for (double norm : class_norms) group_norm += norm;
    const std::size_t group_count = groups.size();
    StretchTerms& terms =
        stretches_.emplace_back(ModeTable(std::move(stretch), std::move(table_sublayers),
                                          std::move(stretch_stress), increments, group_count));
    terms.groups = std::move(groups);
    terms.radial_rates = std::move(rates);
    terms.class_of_sublayer = std::move(classes);
    terms.layers = std::move(stretch_layers);
    terms.first_sublayer = first_sublayer;
    terms.group_norm = std::sqrt(group_norm);
    terms.class_norms = std::move(class_norms);
    extend(stretches_.back(), 1);
    first_sublayer = j;
    l = last + 1;
  }
}

double TimeSolution::final_primary() const {
  double total = 0.0;
  for (const LayerTerms& layer : layers_) total += layer.final_primary;
  return total;
}

std::size_t TimeSolution::mode_count() const {
  std::size_t count = 0;
  for (const StretchTerms& stretch : stretches_) count += stretch.modes.size();
  return count;
}

std::vector<double> TimeSolution::schedule_times() const {
  std::vector<double> times;
  for (const LoadSchedule& schedule : schedules_) {
    times.push_back(schedule.start);
    times.push_back(schedule.start + schedule.ramp);
  }
  bool drains_act = false;
  for (const StretchTerms& stretch : stretches_) drains_act |= stretch.radial_rates.size() > 1;
  if (drains_act) times.push_back(*installed_);
  std::sort(times.begin(), times.end());
  times.erase(std::unique(times.begin(), times.end()), times.end());
  return times;
}

double TimeSolution::settled_time(std::optional<std::size_t> layer) {
  // After the last schedule time every mode decays at least as fast as the
  // slowest, and the radial parts only faster: the excess pore pressure of an
  // increment has a norm of at most exp(−λ_min (t − t_last)) ‖u0‖.
  const std::vector<double> times = schedule_times();
  const double last = times.empty() ? 0.0 : times.back();
  const double scale = std::fabs(layer ? layers_[*layer].final_primary : final_primary());
  double reach = 0.0;
  double slowest = 0.0;
  for (StretchTerms& stretch : stretches_) {
    if (layer &&
        std::find(stretch.layers.begin(), stretch.layers.end(), *layer) == stretch.layers.end()) {
      continue;
    }
    double initial = 0.0;
    for (std::size_t k = 0; k < schedules_.size(); ++k) {
      initial += std::sqrt(stretch.modes.initial_norm2(k));
    }
    reach += stretch.group_norm * initial;
    const double rate = stretch.modes.decay_rate(0);
    slowest = slowest == 0.0 ? rate : std::min(slowest, rate);
  }
  if (reach == 0.0 || scale == 0.0) return last;
  return last + std::max(0.0, std::log(reach / (kSettled * scale))) / slowest;
}

void TimeSolution::extend(StretchTerms& stretch, std::size_t count) {
  stretch.modes.extend_to(count);
  const std::size_t classes = stretch.class_norms.size();
  if (stretch.left_by_class.empty()) {
    // No mode yet: the weights whole.
    stretch.class_left = stretch.class_norms;
    stretch.whole_left = stretch.group_norm * stretch.group_norm;
    double by_class = 0.0;
    for (double norm : stretch.class_norms) by_class += std::sqrt(norm);
    stretch.left_by_class.push_back(by_class);
    stretch.left_whole.push_back(stretch.group_norm);
  }
  std::vector<double> projected(classes);
  for (std::size_t n = stretch.left_by_class.size() - 1; n < stretch.modes.size(); ++n) {
    std::fill(projected.begin(), projected.end(), 0.0);
    double whole = 0.0;
    for (std::size_t g = 0; g < stretch.groups.size(); ++g) {
      const double sum = stretch.modes.group_sum(n, g);
      projected[stretch.groups[g].radial_class] += sum;
      whole += sum;
    }
    double by_class = 0.0;
    for (std::size_t k = 0; k < classes; ++k) {
      stretch.class_left[k] -= projected[k] * projected[k];
      by_class += std::sqrt(std::max(0.0, stretch.class_left[k]));
    }
    stretch.whole_left -= whole * whole;
    stretch.left_by_class.push_back(by_class);
    stretch.left_whole.push_back(std::sqrt(std::max(0.0, stretch.whole_left)));
  }
}

double TimeSolution::settlement_left(const StretchTerms& stretch, std::size_t count, double bound,
                                     double radial) {
  return std::min({bound * stretch.left_by_class[count], bound * stretch.group_norm,
                   bound * stretch.left_whole[count] + radial * stretch.group_norm});
}

std::size_t TimeSolution::modes_needed(StretchTerms& stretch, std::size_t increment, double time,
                                       double tolerance, bool with_pore_pressures, double& error) {
  const LoadSchedule& schedule = schedules_[increment];
  ModeTable& modes = stretch.modes;
  const double pore_tolerance = kPoreTolerance * std::sqrt(modes.initial_norm2(increment));
  const double fastest =
      *std::max_element(stretch.radial_rates.begin(), stretch.radial_rates.end());
  const double installed = installed_.value_or(0.0);
  for (std::size_t count = 0;; ++count) {
    const bool last = count == kMaxModes;
    if (!last) extend(stretch, count + 1);
    // The first mode left out, or past the most modes the last one kept.
    const double decay = modes.decay_rate(last ? count - 1 : count);
    const double left = std::sqrt(modes.remainder(count, increment));
    const double bound = factor_bound(schedule, time, decay);
    const double settlement =
        left * settlement_left(stretch, count, bound,
                               radial_bound(schedule, time, decay, fastest, installed));
    if (last ||
        (settlement <= tolerance && (!with_pore_pressures || left * bound <= pore_tolerance))) {
      error += settlement;
      return count;
    }
  }
}

void TimeSolution::add_modes(StretchTerms& stretch, double time, bool with_pore_pressures,
                             double tolerance, ColumnState& state) {
  const std::size_t classes = stretch.radial_rates.size();
  std::vector<double> coefficients;
  const double installed = installed_.value_or(0.0);
  for (std::size_t k = 0; k < schedules_.size(); ++k) {
    const LoadSchedule& schedule = schedules_[k];
    if (!modes_act(schedule, time)) continue;
    const std::size_t count =
        modes_needed(stretch, k, time, tolerance, with_pore_pressures, state.error_bound);
    if (coefficients.size() < count * classes) coefficients.resize(count * classes, 0.0);
    add_mode_factors(stretch.modes, k, count, schedule, time, stretch.radial_rates, installed,
                     coefficients);
  }
  const std::size_t count = coefficients.size() / classes;
  // The mean excess of each group, weighted: the settlement still to come.
  for (std::size_t g = 0; g < stretch.groups.size(); ++g) {
    const Group& group = stretch.groups[g];
    double held = 0.0;
    for (std::size_t n = 0; n < count; ++n) {
      held += coefficients[n * classes + group.radial_class] * stretch.modes.group_sum(n, g);
    }
    state.layer_primary[group.layer] -= held;
  }
  if (!with_pore_pressures || count == 0) return;
  const ModeTable& modes = stretch.modes;
  std::vector<double> excess(modes.sublayer_count(), 0.0);
  for (std::size_t n = 0; n < count; ++n) {
    const std::span<const double> values = modes.centre_values(n);
    const double* row = coefficients.data() + n * classes;
    if (classes == 1) {
      for (std::size_t i = 0; i < values.size(); ++i) excess[i] += row[0] * values[i];
    } else {
      for (std::size_t i = 0; i < values.size(); ++i) {
        excess[i] += row[stretch.class_of_sublayer[i]] * values[i];
      }
    }
  }
  for (std::size_t i = 0; i < excess.size(); ++i) {
    state.excess_pore_pressure[stretch.first_sublayer + i] += excess[i];
  }
}

ColumnState TimeSolution::state_at(double time, bool with_pore_pressures, double scale,
                                   double accuracy) {
  ColumnState state;
  state.layer_primary.assign(layers_.size(), 0.0);
  if (with_pore_pressures) state.excess_pore_pressure.assign(sublayers_.size(), 0.0);
  const std::size_t sublayer_count = sublayers_.size();
  // Step 1: what the loads applied by now would settle at once, less the
  // excess of the steps at their very start, which is their whole Δσ.
  for (std::size_t k = 0; k < schedules_.size(); ++k) {
    const LoadSchedule& schedule = schedules_[k];
    const double share = applied_share(schedule, time);
    if (share == 0.0) continue;
    const bool at_start = !modes_act(schedule, time);
    for (std::size_t l = 0; l < layers_.size(); ++l) {
      const LayerTerms& layer = layers_[l];
      if (!(at_start && layer.consolidating)) {
        state.layer_primary[l] += share * layer.applied_settlement[k];
      }
    }
    if (at_start && with_pore_pressures) {
      for (std::size_t j = 0; j < sublayer_count; ++j) {
        if (sublayers_[j].stretch != kNone) {
          state.excess_pore_pressure[j] += stress_increase_[k * sublayer_count + j];
        }
      }
    }
  }
  // Step 2: the excess the modes still hold.
  const double reference = scale > 0.0              ? scale
                           : final_primary() != 0.0 ? std::fabs(final_primary())
                                                    : whole_settlement_;
  const double tolerance =
      reference > 0.0
          ? accuracy * reference / static_cast<double>(schedules_.size() * stretches_.size())
          : HUGE_VAL;
  for (StretchTerms& stretch : stretches_) {
    add_modes(stretch, time, with_pore_pressures, tolerance, state);
  }
  if (reference > 0.0) state.error_bound /= reference;
  return state;
}

}  // namespace consolidation
