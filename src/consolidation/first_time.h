// The first time at which a degree of consolidation reaches a share of its
// end: a scan that brackets the first crossing, refined by a root finder.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace consolidation {

// The times at which a degree is scanned: each schedule time up to `horizon`
// and `horizon` itself, and between each two of them times closing in on the
// earlier one by halves (where a step's consolidation changes fastest).
std::vector<double> scan_times(std::span<const double> schedule_times, double horizon);

// The first times at which `degree` (a function of time) reaches given
// shares, scanned on `times` (increasing) and refined by TOMS 748 between the
// last time below a share and the first at or above it. Values are kept, so
// several shares cost one scan.
class FirstTimes {
 public:
  FirstTimes(std::function<double(double)> degree, std::vector<double> times);

  // The first time at which the degree reaches `share`; nothing where it
  // does not by the last scan time.
  std::optional<double> reaching(double share);

 private:
  double value(std::size_t i);

  std::function<double(double)> degree_;
  std::vector<double> times_;
  std::vector<std::optional<double>> values_;
};

}  // namespace consolidation
