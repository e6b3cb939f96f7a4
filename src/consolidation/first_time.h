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

// A degree of consolidation worked out to an accuracy, and a bound on its error.
struct DegreeEstimate {
  double value = 0.0;
  double error = 0.0;
};

// A degree at a time (time units), to within an accuracy asked for (a share).
using DegreeAt = std::function<DegreeEstimate(double time, double accuracy)>;

// The first times at which a degree reaches given shares, scanned on `times`
// (increasing) and refined by TOMS 748 between the last time below a share and
// the first at or above it. The scan takes the degree to 1e-3 and again to
// 1e-5 only where that leaves its side of the share in doubt; the root finder
// takes it to 1e-5. Between two scan times the degree is taken to cross a
// share at most once, as it does where no load is taken off. Values are kept,
// so several shares cost one scan.
class FirstTimes {
 public:
  FirstTimes(DegreeAt degree, std::vector<double> times);

  // The first time at which the degree reaches `share`; nothing where it
  // does not by the last scan time.
  std::optional<double> reaching(double share);

 private:
  // The degree at times_[i] less `share`, to 1e-5 where 1e-3 leaves its sign
  // in doubt.
  double above(std::size_t i, double share);

  DegreeAt degree_;
  std::vector<double> times_;
  std::vector<std::optional<DegreeEstimate>> values_;
  std::vector<bool> precise_;
};

}  // namespace consolidation
