// The problem as plain Python values: the form in which the Python side of
// the module and its C++ side hand a problem to each other.
#pragma once

#include <pybind11/pybind11.h>

#include <memory>

#include "problem/problem_data.h"

namespace settle_python {

namespace py = pybind11;

// A dict of numbers, bytes, tuples and float32 arrays, every entry of every
// table the counts name and nothing the reader derives:
//   "title": (bytes of 68, bytes of 68)       "unit_system": int
//   "layers": [(layer_number, bottom_depth, unit_weight, curve_index, thickness_factor)]
//   "curves": [(curve_number, point_count, source_text (bytes of 60), slope,
//               strain (float32 array), pressure (float32 array))]
//   "points": [(point_number, x, y, start_layer)]
//   "areas", "spread_areas": [(area_id (bytes of 4), shape, x, y, x_length, y_length,
//                              area_slope, loading, elevation, upper_depth, lower_depth)]
//   "spread_depth_reference": int
// A negative count gives no entries; a spread area stored after a negative
// regular-area count keeps its place in the table (what a file drops is left out).
py::dict raw_problem(const problem::ProblemData& problem);

// The problem the values describe, with the fields the reader derives; a
// point curve's arrays must hold point_count values. Raises ValueError for a
// value of the wrong form or a table past its capacity.
std::unique_ptr<problem::ProblemData> problem_of(const py::dict& raw);

}  // namespace settle_python
