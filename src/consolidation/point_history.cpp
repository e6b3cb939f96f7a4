// A point's history from its time solution: the primary settlement and the
// pore pressures at the output times, the first times to the shares of the
// final primary, and each layer's secondary compression from the time it
// reaches 95 % of its own primary.
#include "consolidation/point_history.h"

#include <cmath>

#include "consolidation/first_time.h"

namespace consolidation {
namespace {

constexpr double kSecondaryShare = 0.95;

double sum(const std::vector<double>& values) {
  double total = 0.0;
  for (double value : values) total += value;
  return total;
}

FirstTimes point_scan(TimeSolution& solution) {
  const double final_primary = solution.final_primary();
  return FirstTimes(
      [&solution, final_primary](double time, double accuracy) {
        const ColumnState state = solution.state_at(time, false, 0.0, accuracy);
        return DegreeEstimate{sum(state.layer_primary) / final_primary, state.error_bound};
      },
      scan_times(solution.schedule_times(), solution.settled_time()));
}

// The time t_p of layer `layer`, where its soil has secondary compression.
std::optional<double> secondary_start(TimeSolution& solution, std::size_t layer) {
  const double final_primary = solution.final_layer_primary(layer);
  if (final_primary == 0.0) return std::nullopt;
  FirstTimes scan(
      [&solution, layer, final_primary](double time, double accuracy) {
        const ColumnState state =
            solution.state_at(time, false, std::fabs(final_primary), accuracy);
        return DegreeEstimate{state.layer_primary[layer] / final_primary, state.error_bound};
      },
      scan_times(solution.schedule_times(), solution.settled_time(layer)));
  const std::optional<double> start = scan.reaching(kSecondaryShare);
  if (start && *start > 0.0) return start;
  return std::nullopt;
}

// Each layer's secondary compression: the time it counts from and its rate,
// mm or inches per tenfold time.
struct SecondaryTerms {
  std::vector<std::optional<double>> from;
  std::vector<double> rate;

  double at(double time) const {
    double total = 0.0;
    for (std::size_t l = 0; l < from.size(); ++l)
      if (from[l] && time > *from[l]) total += rate[l] * std::log10(time / *from[l]);
    return total;
  }
};

SecondaryTerms secondary_terms(const Column& column, TimeSolution& solution) {
  SecondaryTerms terms;
  terms.from.resize(column.layers.size());
  terms.rate.assign(column.layers.size(), 0.0);
  for (std::size_t l = 0; l < column.layers.size(); ++l) {
    const Layer& layer = column.layers[l];
    if (!layer.secondary) continue;
    double height = 0.0;  // Σ h × thickness_factor × settlement_factor, counted
    for (const Sublayer& sublayer : layer.sublayers) {
      if (sublayer.counted) {
        height += (sublayer.bottom - sublayer.top) * sublayer.thickness_factor *
                  sublayer.settlement_factor;
      }
    }
    if (height == 0.0) continue;
    terms.from[l] = secondary_start(solution, l);
    terms.rate[l] = layer.secondary->c_alpha / (1.0 + layer.secondary->e0) * height;
  }
  return terms;
}

}  // namespace

PointHistory point_history(const Column& column, std::span<const double> times) {
  TimeSolution solution(column);
  PointHistory history;
  history.final_primary = solution.final_primary();
  history.layer_flows = solution.layer_flows();

  // Step 1: the secondary compression of each layer: its rate per tenfold
  // time and the time it counts from.
  const SecondaryTerms secondary = secondary_terms(column, solution);
  history.secondary_from = secondary.from;

  // Step 2: the output times.
  for (double time : times) {
    ColumnState state = solution.state_at(time, true);
    TimeState out;
    out.time = time;
    out.primary = sum(state.layer_primary);
    out.secondary = secondary.at(time);
    out.total = out.primary + out.secondary;
    if (history.final_primary != 0.0) out.degree = out.primary / history.final_primary;
    out.excess_pore_pressure = std::move(state.excess_pore_pressure);
    out.error_bound = state.error_bound;
    history.states.push_back(std::move(out));
  }

  // Step 3: the times to 50, 90 and 95 %.
  if (history.final_primary != 0.0) {
    FirstTimes scan = point_scan(solution);
    history.t50 = scan.reaching(0.5);
    history.t90 = scan.reaching(0.9);
    history.t95 = scan.reaching(0.95);
  }
  return history;
}

double settlement_at_time(const Column& column, double time) {
  TimeSolution solution(column);
  const SecondaryTerms secondary = secondary_terms(column, solution);
  return sum(solution.state_at(time, false).layer_primary) + secondary.at(time);
}

std::optional<double> time_to_share(TimeSolution& solution, double share) {
  if (solution.final_primary() == 0.0) return std::nullopt;
  return point_scan(solution).reaching(share);
}

std::optional<double> time_to_share(const Column& column, double share) {
  TimeSolution solution(column);
  return time_to_share(solution, share);
}

}  // namespace consolidation
