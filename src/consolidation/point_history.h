// The settlement in time of one point: at each output time its primary,
// secondary and total settlement, its degree of consolidation and the excess
// pore pressure with depth, and the times to 50, 90 and 95 % of its primary.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "consolidation/column.h"
#include "consolidation/layer_flow.h"
#include "consolidation/time_solution.h"

namespace consolidation {

struct TimeState {
  double time = 0.0;
  double primary = 0.0;    // mm or inches, counted sublayers
  double secondary = 0.0;  // mm or inches, counted sublayers
  double total = 0.0;
  std::optional<double> degree;  // primary over final primary; absent where that is 0
  // At each sublayer centre of the profile, top down, pressure units; 0 in
  // free-draining layers; radially averaged where drains act.
  std::vector<double> excess_pore_pressure;
  // A bound on the error of `degree` from the modes left out (see ColumnState).
  double error_bound = 0.0;
};

struct PointHistory {
  double final_primary = 0.0;     // mm or inches
  std::vector<TimeState> states;  // one per output time
  // The first times the primary reaches 50, 90, 95 % of its final value;
  // absent where it never does or the final primary is 0.
  std::optional<double> t50, t90, t95;
  // For each layer, the time t_p from which its secondary compression counts:
  // the first time its counted sublayers reach 95 % of their primary
  // settlement; absent where the soil has no secondary compression, the layer
  // settles nothing under the point, or t_p would be 0 (a free-draining layer
  // loaded at time 0).
  std::vector<std::optional<double>> secondary_from;
  // Each layer's compressibility and permeability under the point.
  std::vector<LayerFlow> layer_flows;
};

// The history of the point of `column` at `times` (time units, increasing,
// none negative). REQUIRES: check_column(column, times) found nothing.
PointHistory point_history(const Column& column, std::span<const double> times);

// The total settlement (primary and secondary, mm or inches) of the point of
// `column` at `time` (>= 0), as point_history gives it, without the times to
// the shares or the pore pressures: what a map at one time needs.
// REQUIRES: check_column(column, {}) found nothing.
double settlement_at_time(const Column& column, double time);

// The first time at which the primary settlement of the point reaches `share`
// (0 to 1) of its final value, as for t90 on a map; nothing where it never
// does or the final primary is 0. REQUIRES: check_column(column, {}) found nothing.
std::optional<double> time_to_share(const Column& column, double share);

// The same with a solution already prepared.
std::optional<double> time_to_share(TimeSolution& solution, double share);

}  // namespace consolidation
