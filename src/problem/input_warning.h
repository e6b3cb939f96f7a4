// What is legal in a problem but almost certainly a mistake, as values: the
// report of the problem stays as it is, and the console names each of them.
#pragma once

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "problem/problem_data.h"
#include "problem/source_lines.h"

namespace problem {

enum class InputWarningKind {
  kValuesLeftOver,          // a free-form line held more values than its record takes
  kLayerNotBelow,           // a layer's bottom is not below the bottom of the layer before
  kPartOfAHalfUnit,         // a layer's thickness is not a whole number of half units
  kCurveNotGiven,           // a layer refers to a curve past those given
  kUnitWeightNotPositive,   // a layer weighs nothing, or less
  kPressureNotRising,       // a point curve's pressure does not rise from the point before
  kStrainFalling,           // a point curve's strain falls as its pressure rises
  kStartLayerNotALayer,     // a point starts at a layer the profile does not have
  kAreaWithoutSize,         // a regular area's length or diameter is zero or negative
  kAreaWithoutLoading,      // a regular area's loading is zero
  kUnitSystemNotKnown,      // a unit system other than 1 or 2: U.S. units are used
  kUnitWeightImplausible,   // a unit weight outside the range of soils in the unit system
  kLoadingFarBeyondCurves,  // an area's pressure far beyond every curve the profile uses
  kAreaIdRepeated,          // a regular area has the identifier of an earlier one
  kPointNumberRepeated,     // a point has the number of an earlier one
  kPrintsAsAsterisks,       // values too wide for their columns of the report
};

// One warning with the values it names. Which fields a kind uses:
//   kValuesLeftOver         count (values left over)
//   kLayerNotBelow          position, number, value (bottom), other (bottom before)
//   kPartOfAHalfUnit        position, number, value (thickness), lost, other (bottom of the
//                           last layer), profile_end (bottom of the last sublayer)
//   kCurveNotGiven          position, number, count (its sublayers), value (curve), other
//                           (curves given)
//   kUnitWeightNotPositive  position, number, value (unit weight as read)
//   kPressureNotRising      position, number, count (point), value, other (pressure before)
//   kStrainFalling          position, number, count (point), value, other (strain before, %)
//   kStartLayerNotALayer    position, number, count (start layer), other (layers)
//   kAreaWithoutSize        position, area_id, value (the length), y_length
//   kAreaWithoutLoading     position, area_id
//   kUnitSystemNotKnown     count (the unit system read)
//   kUnitWeightImplausible  position, number, value (as read), other and lost (the range)
//   kLoadingFarBeyondCurves position, area_id (blank: a spread area), value (its pressure),
//                           other (the largest curve pressure the profile uses)
//   kAreaIdRepeated         position, area_id, count (position of the earlier), first_line
//   kPointNumberRepeated    position, number, count (position of the earlier), first_line
//   kPrintsAsAsterisks      position, number or area_id, count (the table), wide (the
//                           values and the names of their columns)
struct InputWarning {
  InputWarningKind kind = InputWarningKind::kValuesLeftOver;
  int line = 0;             // the line of the problem file it is about
  int position = 0;         // of the layer, curve, point or area in its table
  std::int32_t number = 0;  // the layer, curve or point number as read
  int count = 0;
  float value = 0.0f;
  float other = 0.0f;
  float lost = 0.0f;
  float profile_end = 0.0f;
  FixedText<4> area_id;
  bool y_length = false;
  int first_line = 0;
  std::vector<std::pair<std::string_view, float>> wide;  // names are string literals
};

inline InputWarning input_warning(InputWarningKind kind, int line, int position = 0,
                                  std::int32_t number = 0) {
  InputWarning warning;
  warning.kind = kind;
  warning.line = line;
  warning.position = position;
  warning.number = number;
  return warning;
}

// The warnings of a problem read to its end (or to its data-error lists):
// those of the layers, then of the curves, the points and the areas, each
// naming its line; values left over are found by the reader.
std::vector<InputWarning> find_input_warnings(const ProblemData& problem, const SourceLines& lines);

}  // namespace problem
