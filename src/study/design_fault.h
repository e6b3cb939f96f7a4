// What makes a study's design unusable, as values. A parameter is named by
// its position in Design::parameters and its target, a correlation by its
// position in Design::correlations and its two targets; the caller adds the
// key path and writes the text. Faults compare equal when every field does.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace study {

// The figure of a distribution a fault concerns.
enum class Figure { kMean, kSd, kCov, kLow, kMode, kHigh };

// The sample count is below 1 or above kMaxSamples.
struct SampleCountOutOfRange {
  std::int64_t samples = 0;
  bool operator==(const SampleCountOutOfRange&) const = default;
};

// A figure of a distribution is infinite or not a number.
struct NotFinite {
  std::size_t parameter = 0;
  std::string target;
  Figure figure = Figure::kMean;
  double value = 0.0;
  bool operator==(const NotFinite&) const = default;
};

// A normal distribution's standard deviation is below 0.
struct NegativeSd {
  std::size_t parameter = 0;
  std::string target;
  double sd = 0.0;
  bool operator==(const NegativeSd&) const = default;
};

// A lognormal distribution's coefficient of variation is below 0.
struct NegativeCov {
  std::size_t parameter = 0;
  std::string target;
  double cov = 0.0;
  bool operator==(const NegativeCov&) const = default;
};

// A lognormal distribution's mean is 0 or below.
struct NonPositiveLognormalMean {
  std::size_t parameter = 0;
  std::string target;
  double mean = 0.0;
  bool operator==(const NonPositiveLognormalMean&) const = default;
};

// A uniform or triangular distribution whose low is not below its high.
struct EmptyRange {
  std::size_t parameter = 0;
  std::string target;
  double low = 0.0;
  double high = 0.0;
  bool operator==(const EmptyRange&) const = default;
};

// A triangular distribution whose mode lies outside [low, high].
struct ModeOutsideRange {
  std::size_t parameter = 0;
  std::string target;
  double low = 0.0;
  double mode = 0.0;
  double high = 0.0;
  bool operator==(const ModeOutsideRange&) const = default;
};

// Two parameters with the same target; `first` is the earlier one.
struct DuplicateTarget {
  std::size_t parameter = 0;
  std::size_t first = 0;
  std::string target;
  bool operator==(const DuplicateTarget&) const = default;
};

// A correlation coefficient outside [-1, 1] (or not a number).
struct RhoOutsideRange {
  std::size_t correlation = 0;
  std::string a;
  std::string b;
  double rho = 0.0;
  bool operator==(const RhoOutsideRange&) const = default;
};

// A correlation naming a target that is no parameter of the design.
struct UnknownCorrelationTarget {
  std::size_t correlation = 0;
  std::string target;
  bool operator==(const UnknownCorrelationTarget&) const = default;
};

// A correlation of a target with itself.
struct SelfCorrelation {
  std::size_t correlation = 0;
  std::string target;
  bool operator==(const SelfCorrelation&) const = default;
};

// A pair given twice (in either order); `first` is the earlier correlation.
struct DuplicatePair {
  std::size_t correlation = 0;
  std::size_t first = 0;
  std::string a;
  std::string b;
  bool operator==(const DuplicatePair&) const = default;
};

// The correlations together form a matrix that is not positive definite; the
// pairs are those that push its smallest eigenvalue to or below zero (see
// check_design), in the order of Design::correlations.
struct NotPositiveDefinite {
  struct Pair {
    std::size_t correlation = 0;
    std::string a;
    std::string b;
    double rho = 0.0;
    bool operator==(const Pair&) const = default;
  };
  std::vector<Pair> pairs;
  double smallest_eigenvalue = 0.0;
  bool operator==(const NotPositiveDefinite&) const = default;
};

using DesignFault = std::variant<SampleCountOutOfRange, NotFinite, NegativeSd, NegativeCov,
                                 NonPositiveLognormalMean, EmptyRange, ModeOutsideRange,
                                 DuplicateTarget, RhoOutsideRange, UnknownCorrelationTarget,
                                 SelfCorrelation, DuplicatePair, NotPositiveDefinite>;

}  // namespace study
