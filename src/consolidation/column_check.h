// The checks of a column and its output times before the time-rate analysis:
// the first value at fault, or nothing.
#pragma once

#include <optional>
#include <span>

#include "consolidation/column.h"
#include "consolidation/column_fault.h"

namespace consolidation {

// The first fault of `column` and `times` (output times, time units), looked
// for in this order: the layers top down (cv, compressibility, drainage
// stretches), the output times, the increments, the drains.
std::optional<ColumnFault> check_column(const Column& column, std::span<const double> times);

}  // namespace consolidation
