// The archived file's layers as the classic method divides them: how many
// sublayers the layers read give, for the limit of the sublayer table, and
// for the warnings about thin-ended layers.
#pragma once

#include <cstdint>

#include "problem/problem_data.h"

namespace problem {

constexpr float kSublayerThickness = 0.5f;

// The sublayers of a layer `thickness` thick (analysis::classic_sublayers_in).
std::int64_t sublayers_in(double thickness);

// The thickness of layer `layer` (1..layer_count), from the two stored depths
// in double precision.
double layer_thickness(const ProblemData& problem, int layer);

// The number of sublayers the layers read so far give; counts past the table's
// capacity without storing anything.
std::int64_t count_sublayers(const ProblemData& problem);

}  // namespace problem
