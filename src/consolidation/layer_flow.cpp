// The secant compressibility of a layer under a point: the ratio of the strain
// it takes to the stress it gets, each weighted by the sublayers' thickness.
#include "consolidation/layer_flow.h"

#include <cmath>

namespace consolidation {

std::vector<LayerFlow> layer_flow(const Column& column) {
  std::vector<LayerFlow> flows;
  flows.reserve(column.layers.size());
  for (const Layer& layer : column.layers) {
    double strain_sum = 0.0;
    double stress_sum = 0.0;
    double stress_magnitude = 0.0;
    for (const Sublayer& sublayer : layer.sublayers) {
      const double thickness = sublayer.bottom - sublayer.top;
      strain_sum += sublayer.strain * thickness;
      stress_sum += sublayer.stress_increase * thickness;
      stress_magnitude += std::fabs(sublayer.stress_increase) * thickness;
    }
    LayerFlow flow;
    // A layer whose stress does not change, or whose increases cancel, has no
    // secant; nor has one that heaves under compression or the reverse.
    const bool has_secant = stress_magnitude > 0.0 && stress_sum != 0.0;
    const double secant = has_secant ? strain_sum / stress_sum : 0.0;
    flow.secant = has_secant && secant > 0.0;
    flow.mv = flow.secant ? secant : layer.tangent_mv;
    if (layer.cv) flow.permeability = *layer.cv * flow.mv * column.unit_weight_of_water;
    flows.push_back(flow);
  }
  return flows;
}

}  // namespace consolidation
