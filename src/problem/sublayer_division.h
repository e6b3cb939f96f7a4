// The division of the soil profile into sublayers 0.5 length units thick: how
// many sublayers a layer gives and where a point's settlement starts. The
// reader checks the sublayer count against its limit and places each point as
// it is read; the soil profile cuts the layers by the same rule.
#pragma once

#include <cstdint>

#include "problem/problem_data.h"

namespace problem {

constexpr float kSublayerThickness = 0.5f;

// The sublayers of a layer `thickness` thick: its whole half units. A layer
// thinner than 0.5, empty, inverted or not a number has none; a huge one
// saturates instead of overflowing.
std::int64_t sublayers_in(double thickness);

// The thickness of layer `layer` (1..layer_count), from the two stored depths
// in double precision.
double layer_thickness(const ProblemData& problem, int layer);

// The number of sublayers the layers read so far give; counts past the table's
// capacity without storing anything.
std::int64_t count_sublayers(const ProblemData& problem);

// The first sublayer that takes part in a point's settlement when it starts at
// soil layer `start_layer`; 0 (every sublayer) when that is not a layer read.
// Uses the layer depths read so far.
std::int32_t start_sublayer_of(const ProblemData& problem, std::int32_t start_layer);

}  // namespace problem
