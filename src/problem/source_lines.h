// Where each record of the problem stood in its file, so that a message about
// a value can name its line. A problem built by other means has no lines (0).
#pragma once

#include "problem/indexed_table.h"
#include "problem/problem_data.h"

namespace problem {

struct SourceLines {
  int unit_system = 0;  // record 2
  int counts = 0;       // record 3, the four counts
  IndexedTable<int, kMaxLayers> layers;
  IndexedTable<int, kMaxCurves> curves;  // the curve number and point count
  IndexedTable<IndexedTable<int, kMaxCurvePoints>, kMaxCurves> curve_points;
  IndexedTable<int, kMaxPoints> points;
  IndexedTable<int, kMaxAreas> areas;  // the values of a regular or spread area
  int spread_control = 0;              // record 9, the depth reference option
};

}  // namespace problem
