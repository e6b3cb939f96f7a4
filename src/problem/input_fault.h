// What stops a run on the problem's own data, as values: regular areas with a
// wrong shape or away from the layer boundaries, a count past a limit of the
// data model, and a curve pressure that is not positive. The report code
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

using InputFault = std::variant<DataErrors, LimitFault, PressureFault>;

}  // namespace problem
