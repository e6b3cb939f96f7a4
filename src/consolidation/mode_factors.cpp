// Mode factors. A step at t0 leaves exp(−λ (t − t0)) of a mode. A ramp over T
// is a sum of elementary steps dτ / T at each τ in [t0, t1], t1 = min(t, t0 + T):
//
//   F = (1/T) ∫ exp(−λ (t − τ)) r(τ) dτ,   r(τ) = exp(−ρ (t − max(τ, ti)))
//
// where drains installed at ti act (r = 1 before ti). Split at ti, the part of
// the ramp before the installation shares one radial factor exp(−ρ (t − ti)),
// the part after it decays at λ + ρ:
//
//        t0 ---------- ti ---------- t1 ....... t
//        |  λ, then ρ from ti  |  λ + ρ  |
#include "consolidation/mode_factors.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <vector>

namespace consolidation {
namespace {

// ∫ from `from` to `to` of exp(−rate (time − τ)) dτ, for from <= to <= time.
double decayed_span(double rate, double time, double from, double to) {
  return std::exp(-rate * (time - to)) * -std::expm1(-rate * (to - from)) / rate;
}

// 1 − exp(−x) from exp(−x) where x is not small, from x itself where it is.
double one_minus(double x, double exp_minus_x) {
  return x < 1e-3 ? -std::expm1(-x) : 1.0 - exp_minus_x;
}

}  // namespace

double applied_share(const LoadSchedule& schedule, double time) {
  if (time < schedule.start) return 0.0;
  if (schedule.ramp == 0.0) return 1.0;
  return std::min(1.0, (time - schedule.start) / schedule.ramp);
}

bool modes_act(const LoadSchedule& schedule, double time) { return time > schedule.start; }

double mode_factor(const LoadSchedule& schedule, double time, double decay, double radial,
                   double installed) {
  assert(modes_act(schedule, time));
  const double t0 = schedule.start;
  const bool drains = radial > 0.0 && time > installed;
  if (schedule.ramp == 0.0) {
    const double radial_part = drains ? std::exp(-radial * (time - std::max(t0, installed))) : 1.0;
    return std::exp(-decay * (time - t0)) * radial_part;
  }
  const double t1 = std::min(time, t0 + schedule.ramp);
  if (!drains) return decayed_span(decay, time, t0, t1) / schedule.ramp;
  double factor = 0.0;
  const double before = std::min(t1, installed);
  if (before > t0) {
    factor += std::exp(-radial * (time - installed)) * decayed_span(decay, time, t0, before);
  }
  const double after = std::max(t0, installed);
  if (after < t1) factor += decayed_span(decay + radial, time, after, t1);
  return factor / schedule.ramp;
}

double factor_bound(const LoadSchedule& schedule, double time, double decay) {
  const double t0 = schedule.start;
  if (schedule.ramp == 0.0) return std::exp(-decay * (time - t0));
  const double t1 = std::min(time, t0 + schedule.ramp);
  const double share = std::min((t1 - t0) / schedule.ramp, 1.0 / (decay * schedule.ramp));
  return std::exp(-decay * (time - t1)) * share;
}

double radial_bound(const LoadSchedule& schedule, double time, double decay, double fastest,
                    double installed) {
  const double t0 = schedule.start;
  const double from = std::max(t0, installed);
  if (fastest == 0.0 || time <= from) return 0.0;
  // Each elementary part's radial factor is at least exp(−ρ (t − from)); and
  // 1 − exp(−ρ s) <= ρ s, s = t − τ, which the fast modes forget first.
  const double share = -std::expm1(-fastest * (time - from));
  const double whole = share * factor_bound(schedule, time, decay);
  if (schedule.ramp == 0.0) return whole;
  const double since = time - std::min(time, t0 + schedule.ramp);  // t − t1
  const double weighted =
      std::exp(-decay * since) * (since / decay + 1.0 / (decay * decay)) / schedule.ramp;
  return std::min(whole, fastest * weighted);
}

void add_mode_factors(const ModeTable& modes, std::size_t increment, std::size_t mode_count,
                      const LoadSchedule& schedule, double time,
                      std::span<const double> radial_rates, double installed,
                      std::span<double> coefficients) {
  assert(modes_act(schedule, time) && mode_count <= modes.size());
  const std::size_t classes = radial_rates.size();
  const double t0 = schedule.start;
  const double ramp = schedule.ramp;
  const bool drains_acting = time > installed;
  const double t1 = ramp == 0.0 ? t0 : std::min(time, t0 + ramp);
  // Which shape the drained classes' factors take (see the sketch above):
  // the vertical factor times one radial factor of the class, or that plus
  // a part of the ramp after the installation that decays at λ + ρ.
  const double before = ramp == 0.0 ? t0 : std::min(t1, installed);
  const double after = std::max(t0, installed);
  const bool split = drains_acting && ramp > 0.0 && after < t1;

  // The radial factors of the classes, and their exponentials over the part
  // after the installation.
  std::vector<double> radial_factor(classes, 1.0), radial_to_end(classes), radial_span(classes);
  for (std::size_t k = 1; k < classes; ++k) {
    const double rho = radial_rates[k];
    if (drains_acting) {
      radial_factor[k] = std::exp(-rho * (time - (ramp == 0.0 ? after : installed)));
    }
    if (split) {
      radial_to_end[k] = std::exp(-rho * (time - t1));
      radial_span[k] = std::exp(-rho * (t1 - after));
    }
  }
  for (std::size_t n = 0; n < mode_count; ++n) {
    const double lambda = modes.decay_rate(n);
    const double projection = modes.projection(n, increment);
    if (projection == 0.0) continue;
    double* row = coefficients.data() + n * classes;
    if (ramp == 0.0) {
      const double vertical = projection * std::exp(-lambda * (time - t0));
      row[0] += vertical;
      for (std::size_t k = 1; k < classes; ++k) row[k] += vertical * radial_factor[k];
      continue;
    }
    row[0] += projection * decayed_span(lambda, time, t0, t1) / ramp;
    if (classes == 1) continue;
    // Before the installation (the whole ramp part up to t1 if not split).
    const double early =
        before > t0
            ? projection * decayed_span(lambda, time, t0, drains_acting ? before : t1) / ramp
            : 0.0;
    if (!split) {
      for (std::size_t k = 1; k < classes; ++k) row[k] += early * radial_factor[k];
      continue;
    }
    const double lambda_to_end = std::exp(-lambda * (time - t1));
    const double lambda_span = std::exp(-lambda * (t1 - after));
    for (std::size_t k = 1; k < classes; ++k) {
      const double rate = lambda + radial_rates[k];
      const double late = lambda_to_end * radial_to_end[k] *
                          one_minus(rate * (t1 - after), lambda_span * radial_span[k]) / rate;
      row[k] += early * radial_factor[k] + projection * late / ramp;
    }
  }
}

}  // namespace consolidation
