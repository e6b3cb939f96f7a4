// How much of a load increment's excess pore pressure each mode still holds
// at a time: at once from its start, or by Duhamel's integral over its ramp,
// and where drains act, times the radial part of Carrillo's rule counted from
// the later of each elementary part of the load and the drains' installation.
#pragma once

#include <cstddef>
#include <span>

#include "consolidation/mode_table.h"

namespace consolidation {

// A load increment's schedule: applied at `start` at once (`ramp` 0) or rising
// linearly over `ramp`; time units.
struct LoadSchedule {
  double start = 0.0;
  double ramp = 0.0;
};

// The share of the increment applied by `time`, 0 to 1.
double applied_share(const LoadSchedule& schedule, double time);

// True where the modes carry the increment at `time`: after its start (a
// step at its start is exactly its initial excess, taken without the modes).
bool modes_act(const LoadSchedule& schedule, double time);

// The factor F of a mode of decay rate `decay` (λ, 1 / time unit) for a
// radial rate `radial` (0: no drains; 8 ch / (D² μ) otherwise) and drains
// installed at `installed`: the mode's excess pore pressure at `time` over
// its initial excess of the whole increment. REQUIRES: modes_act(schedule, time).
double mode_factor(const LoadSchedule& schedule, double time, double decay, double radial,
                   double installed);

// A bound on |F| for every radial rate, which never grows with `decay`.
double factor_bound(const LoadSchedule& schedule, double time, double decay);

// A bound on how far F for any radial rate up to `fastest` lies below F
// without drains, which never grows with `decay`.
double radial_bound(const LoadSchedule& schedule, double time, double decay, double fastest,
                    double installed);

// Adds projection × F of increment `increment` for the first `mode_count`
// modes of `modes` and each radial class into coefficients[n × classes + k],
// classes = radial_rates.size(). The same F as mode_factor, with the
// exponentials of the modes and of the classes each taken once.
void add_mode_factors(const ModeTable& modes, std::size_t increment, std::size_t mode_count,
                      const LoadSchedule& schedule, double time,
                      std::span<const double> radial_rates, double installed,
                      std::span<double> coefficients);

}  // namespace consolidation
