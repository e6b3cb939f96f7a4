// The flow properties of each layer under one point: its compressibility mv
// (the secant of the static analysis, or the soil's tangent where the secant
// says nothing) and its permeability k = cv mv γw.
#pragma once

#include <vector>

#include "consolidation/column.h"

namespace consolidation {

struct LayerFlow {
  double mv = 0.0;            // strain per pressure unit
  double permeability = 0.0;  // length per time unit; 0 where the layer has no cv
  bool secant = false;        // mv is the layer's secant under the point
};

// One entry per layer of `column`: mv = Σ ε h / Σ Δσ h over the layer's
// sublayers where that is positive, the layer's tangent_mv otherwise.
std::vector<LayerFlow> layer_flow(const Column& column);

}  // namespace consolidation
