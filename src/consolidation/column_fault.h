// What makes a column unfit for the time-rate analysis, as values: each names
// the layer, output time, load increment or drain value at fault, so that the
// caller can say which key of the project is wrong.
#pragma once

#include <cstddef>
#include <variant>

namespace consolidation {

// Positions count from 0: `layer` in Column::layers, `increment` in
// Column::increments, `time` in the output times.

// A consolidating layer whose cv is 0 or negative.
struct CvNotPositive {
  std::size_t layer = 0;
  double cv = 0.0;
  bool operator==(const CvNotPositive&) const = default;
};

// A consolidating layer given no cv.
struct CvMissing {
  std::size_t layer = 0;
  bool operator==(const CvMissing&) const = default;
};

// A consolidating layer whose secant compressibility is not positive and whose
// tangent compressibility, the fallback, is not positive either.
struct CompressibilityNotPositive {
  std::size_t layer = 0;
  double tangent_mv = 0.0;
  bool operator==(const CompressibilityNotPositive&) const = default;
};

// A stretch of consolidating layers that touches no drained boundary and no
// free-draining layer: its excess pore pressure could never dissipate.
struct NoDrainedBoundary {
  std::size_t first_layer = 0;
  std::size_t last_layer = 0;
  bool operator==(const NoDrainedBoundary&) const = default;
};

struct TimeNegative {
  std::size_t time = 0;
  double value = 0.0;
  bool operator==(const TimeNegative&) const = default;
};

// An output time not greater than the one before it.
struct TimesNotIncreasing {
  std::size_t time = 0;
  double value = 0.0;
  double previous = 0.0;
  bool operator==(const TimesNotIncreasing&) const = default;
};

struct RampNegative {
  std::size_t increment = 0;
  double ramp = 0.0;
  bool operator==(const RampNegative&) const = default;
};

struct StartNegative {
  std::size_t increment = 0;
  double start = 0.0;
  bool operator==(const StartNegative&) const = default;
};

// The drains reach deeper than the base of the column.
struct DrainsBelowColumn {
  double bottom = 0.0;
  double column_bottom = 0.0;
  bool operator==(const DrainsBelowColumn&) const = default;
};

// The drain values, each of which must be positive (`installed` not negative,
// `smear_ratio` at least 1).
enum class DrainValue {
  kSpacing,
  kDiameter,
  kSmearRatio,
  kKhOverKs,
  kChOverCv,
  kDischargeCapacity,
  kBottom,
  kInstalled,
};

struct DrainValueOutOfRange {
  DrainValue value_name = DrainValue::kSpacing;
  double value = 0.0;
  bool operator==(const DrainValueOutOfRange&) const = default;
};

// The smear zone (or the drain itself) is not smaller than the drain's zone
// of influence.
struct SmearBeyondInfluence {
  double smear_diameter = 0.0;
  double influence_diameter = 0.0;
  bool operator==(const SmearBeyondInfluence&) const = default;
};

using ColumnFault =
    std::variant<CvNotPositive, CvMissing, CompressibilityNotPositive, NoDrainedBoundary,
                 TimeNegative, TimesNotIncreasing, RampNegative, StartNegative, DrainsBelowColumn,
                 DrainValueOutOfRange, SmearBeyondInfluence>;

}  // namespace consolidation
