// The checks made while the problem is read: the shape and layer-boundary
// tests of the regular areas with their data-error report, and the limits of
// the data model, each reported as soon as the value that breaks it is read.
#pragma once

#include <cstdint>

#include "layout/record_writer.h"
#include "problem/problem_data.h"

namespace problem {

// Appends area `a` to `shape_error_list` when its shape is neither rectangle
// nor circle, and to `boundary_error_list` when its elevation equals none of
// `boundary_depths` 0..`layer_count` exactly. REQUIRES: 1 <= a <= kMaxAreas.
void check_area(ProblemData& problem, std::int32_t a);

// True when either error list holds an area.
bool has_data_errors(const ProblemData& problem);

// Writes the shape list (when not empty), the boundary list (when not empty)
// and the digit-one record to the report file.
void write_data_error_report(layout::RecordWriter& report, const ProblemData& problem);

// The limit checks. Each returns true when the value passes; otherwise it
// writes the fault to the report file, then the digit-one record, then the same
// fault text to the console, and returns false.

// Layers, curves, points and regular areas read in record 3, in this order;
// a negative count passes (it reads nothing).
bool counts_within_limits(const ProblemData& problem, layout::RecordWriter& report,
                          layout::RecordWriter& console);
// The curve a layer refers to must be one of the 50 positions of `curves`.
bool curve_index_within_limits(const SoilLayer& layer, layout::RecordWriter& report,
                               layout::RecordWriter& console);
// The layers read must not give more sublayers than the sublayer table holds.
bool sublayers_within_limit(const ProblemData& problem, layout::RecordWriter& report,
                            layout::RecordWriter& console);
// A point curve holds at most 48 points.
bool curve_points_within_limit(const CompressibilityCurve& curve, layout::RecordWriter& report,
                               layout::RecordWriter& console);
// Regular and spread areas together must fit the area table.
bool total_areas_within_limit(const ProblemData& problem, layout::RecordWriter& report,
                              layout::RecordWriter& console);
// With spread areas, their depth reference option must be 1, 2 or 3.
bool depth_reference_valid(const ProblemData& problem, layout::RecordWriter& report,
                           layout::RecordWriter& console);

}  // namespace problem
