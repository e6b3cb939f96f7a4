// The scan and the refinement. Between two schedule times the degree is
// smooth, so a bracket of its first crossing is found where the scan passes
// the share; at a step of a free-draining layer the degree jumps, and the root
// finder closes in on the step's time.
#include "consolidation/first_time.h"

#include <algorithm>
#include <boost/math/tools/toms748_solve.hpp>
#include <cmath>
#include <cstdint>
#include <utility>

namespace consolidation {
namespace {

// Halvings towards the earlier end of each interval: down to 1/16 of it.
constexpr int kHalvings = 4;
// The accuracy of the degree on the scan, and where it decides.
constexpr double kScanAccuracy = 1e-3;
constexpr double kAccuracy = 1e-5;

}  // namespace

std::vector<double> scan_times(std::span<const double> schedule_times, double horizon) {
  std::vector<double> anchors;
  for (double time : schedule_times) {
    if (time < horizon) anchors.push_back(time);
  }
  anchors.push_back(horizon);
  std::sort(anchors.begin(), anchors.end());
  anchors.erase(std::unique(anchors.begin(), anchors.end()), anchors.end());
  std::vector<double> times{anchors.front()};
  for (std::size_t a = 1; a < anchors.size(); ++a) {
    const double from = anchors[a - 1];
    const double gap = anchors[a] - from;
    for (int m = kHalvings; m >= 1; --m) times.push_back(from + std::ldexp(gap, -m));
    times.push_back(anchors[a]);
  }
  return times;
}

FirstTimes::FirstTimes(DegreeAt degree, std::vector<double> times)
    : degree_(std::move(degree)),
      times_(std::move(times)),
      values_(times_.size()),
      precise_(times_.size(), false) {}

double FirstTimes::above(std::size_t i, double share) {
  if (!values_[i]) values_[i] = degree_(times_[i], kScanAccuracy);
  if (!precise_[i] && std::fabs(values_[i]->value - share) <= values_[i]->error) {
    values_[i] = degree_(times_[i], kAccuracy);
    precise_[i] = true;
  }
  return values_[i]->value - share;
}

std::optional<double> FirstTimes::reaching(double share) {
  for (std::size_t i = 0; i < times_.size(); ++i) {
    const double reached = above(i, share);
    if (reached < 0.0) continue;
    if (i == 0 || reached == 0.0) return times_[i];
    const auto miss = [&](double time) { return degree_(time, kAccuracy).value - share; };
    std::uintmax_t iterations = 100;
    const auto bracket = boost::math::tools::toms748_solve(
        miss, times_[i - 1], times_[i], above(i - 1, share), reached,
        boost::math::tools::eps_tolerance<double>(40), iterations);
    return 0.5 * (bracket.first + bracket.second);
  }
  return std::nullopt;
}

}  // namespace consolidation
