// The trace file of the stress computation: one line for every pair of loaded
// area and settlement point.
#pragma once

#include "layout/record_writer.h"
#include "problem/problem_data.h"

namespace report {

// Area by area in table order, each area's points in order.
void write_trace(layout::RecordWriter& trace, const problem::ProblemData& problem);

}  // namespace report
