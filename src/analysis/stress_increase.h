// The classic method's vertical stress increase that all loads together cause
// at every stress depth below a plan point, and its average over each sublayer.
#pragma once

#include <cstdint>

#include "analysis/classic_profile.h"
#include "analysis/indexed_vector.h"

namespace analysis {

// Sets `row` at every stress depth of `profile` to the stress increase of all
// its loads at the plan point (x, y), adding the loads in the project's order.
void stress_increase_at(const ClassicProfile& profile, float x, float y, IndexedVector<float>& row);

// Sets `average` for every sublayer to the average of `stress` over it by
// Simpson's rule, and to 0 above `start_sublayer`.
void average_over_sublayers(const ClassicProfile& profile, const IndexedVector<float>& stress,
                            std::int32_t start_sublayer, IndexedVector<float>& average);

}  // namespace analysis
