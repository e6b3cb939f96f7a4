// The checks made on the problem's data: the shape and layer-boundary tests of
// the regular areas, the limits of the data model, and the rule that every
// curve pressure is positive. Each returns what it found as a value.
#pragma once

#include <cstdint>
#include <optional>

#include "problem/input_fault.h"
#include "problem/problem_data.h"
#include "problem/source_lines.h"

namespace problem {

// Appends area `a` to `wrong_shape` when its shape is neither rectangle nor
// circle, and to `off_boundary` when its elevation equals none of
// `boundary_depths` 0..`layer_count` exactly. REQUIRES: 1 <= a <= kMaxAreas.
void check_area(const ProblemData& problem, int a, int line, DataErrors& errors);

bool has_data_errors(const DataErrors& errors);

// The limit checks: each returns the fault, or nothing when the value passes.

// Layers, curves, points and regular areas of record 3, in this order; a
// negative count passes (it reads nothing).
std::optional<LimitFault> check_counts(const ProblemData& problem, int line);
// The curve a layer refers to must be one of the 50 positions of `curves`.
std::optional<LimitFault> check_curve_index(const SoilLayer& layer, int line);
// The layers read must not give more sublayers than the sublayer table holds.
std::optional<LimitFault> check_sublayer_count(const ProblemData& problem, int line);
// A point curve holds at most 48 points.
std::optional<LimitFault> check_curve_points(const CompressibilityCurve& curve, int line);
// Regular and spread areas together must fit the area table.
std::optional<LimitFault> check_total_areas(const ProblemData& problem, int line);
// With spread areas, their depth reference option must be 1, 2 or 3.
std::optional<LimitFault> check_depth_reference(const ProblemData& problem, int line);

// The first point of a point curve, curve by curve and point by point, whose
// pressure is not greater than 0.0.
std::optional<PressureFault> find_pressure_fault(const ProblemData& problem,
                                                 const SourceLines& lines);

}  // namespace problem
