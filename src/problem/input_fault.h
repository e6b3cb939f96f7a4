// What stops a run on the problem's own data, as values: regular areas with a
// wrong shape or away from the layer boundaries, a count past a limit of the
// data model, a curve pressure that is not positive, and a value (given, or
// found by the analysis) that gives a settlement of no meaning. The report code
// writes their texts; a check-only run or a script reads the values.
#pragma once

#include <cstdint>
#include <variant>
#include <vector>

#include "problem/problem_data.h"

namespace problem {

// A regular area named in the data-error report.
struct ListedArea {
  std::int32_t position = 0;  // in `areas`
  FixedText<4> area_id;
  std::int32_t shape = 0;
  float elevation = 0.0f;
  int line = 0;  // line of the problem file holding the area's values
};

// The two data-error lists, in reading order; an area may stand in both.
struct DataErrors {
  std::vector<ListedArea> wrong_shape;   // shape neither rectangle nor circle
  std::vector<ListedArea> off_boundary;  // elevation equal to no layer boundary
};

// The limits of the data model that the reading enforces.
enum class Limit {
  kLayers,          // soil layers of record 3: at most 25
  kCurves,          // compressibility curves: at most 50
  kPoints,          // settlement points: at most 150
  kRegularAreas,    // regular areas: at most 150
  kCurveIndex,      // a layer's curve position: 1 to 50
  kSublayers,       // sublayers the layers give: at most 775
  kCurvePoints,     // points of one curve: at most 48
  kTotalAreas,      // regular and spread areas together: at most 150
  kDepthReference,  // the spread areas' depth reference option: 1, 2 or 3
};

struct LimitFault {
  Limit limit = Limit::kLayers;
  std::int64_t value = 0;  // the count, position or option found
  std::int32_t item = 0;   // layer number (kCurveIndex) or curve number (kCurvePoints)
  int line = 0;            // line of the problem file where the value stands
};

// The first curve pressure, in the order Table 3 prints them, that is not
// greater than 0.0.
struct PressureFault {
  int curve = 0;  // position in `curves`
  int row = 0;    // point of that curve
  float pressure = 0.0f;
  int line = 0;  // line of the problem file holding the point
};

// The values that would give a settlement of no meaning: found in the problem
// before the analysis, or in its results before they are written.
enum class ValueFaultKind {
  kCurveStrain,              // a curve point's strain of 100 % or more
  kNegativeThicknessFactor,  // a layer's thickness factor below 0
  kAreaVanishes,             // a rectangle of positive sides whose corners fall together
  kStressNotFinite,          // a sublayer's average stress increase is not a finite number
  kPressureNotPositive,      // a final pressure (or the initial one) of 0 or less on a log curve
  kSublayerStrain,           // a sublayer's strain reaches 100 %
  kSettlementNotFinite,      // a sublayer's settlement is not a finite number
  kTotalNotFinite,           // a point's total settlement is not a finite number
  kPlaceNotFinite,           // the settlement at a place of a map or list is not finite
};

// One such value with what it concerns. Which fields a kind uses:
//   kCurveStrain              position (curve), number, row (point), value (strain, %)
//   kNegativeThicknessFactor  position (layer), number, value (factor)
//   kAreaVanishes             position (area), area_id, value (X length), other (Y length),
//                             third (slope), fourth (X side), fifth (Y side) as computed
//   kStressNotFinite          position (point), number, row (sublayer), value (increase)
//   kPressureNotPositive      position (point), number, row (sublayer), curve, value (final),
//                             other (initial), third (increase)
//   kSublayerStrain           position (point), number, row (sublayer), curve, value (strain,
//                             %), other (final pressure)
//   kSettlementNotFinite      position (point), number, row (sublayer), value (settlement)
//   kTotalNotFinite           position (point), number, value (total)
//   kPlaceNotFinite           value (x), other (y), third (settlement)
struct ValueFault {
  ValueFaultKind kind = ValueFaultKind::kCurveStrain;
  int line = 0;             // of the record the value stands on (a point's, for results)
  int position = 0;         // of the curve, layer, area or point in its table
  std::int32_t number = 0;  // the curve, layer or point number as read
  int row = 0;              // the curve's point, or the sublayer number
  float depth = 0.0f;       // the sublayer's centre depth, for a result
  std::int32_t curve = 0;   // the curve number of the sublayer
  FixedText<4> area_id;
  float value = 0.0f;
  float other = 0.0f;
  float third = 0.0f;
  float fourth = 0.0f;
  float fifth = 0.0f;
};

using InputFault = std::variant<DataErrors, LimitFault, PressureFault, ValueFault>;

}  // namespace problem
