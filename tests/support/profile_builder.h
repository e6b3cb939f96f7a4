// A soil profile built for a test: layers by their bottom depth, unit weight
// and curve.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>

#include "problem/problem_data.h"

namespace testing_support {

struct LayerGiven {
  float bottom_depth;
  float unit_weight;
  std::int32_t curve_index;
};

// A problem with the given layers (thickness factor 1) in unit system `units`.
inline std::unique_ptr<problem::ProblemData> make_profile(
    std::initializer_list<LayerGiven> layers, std::int32_t units = problem::kUsGravitational) {
  auto problem = std::make_unique<problem::ProblemData>();
  problem::set_unit_system(*problem, units);
  for (const LayerGiven& given : layers) {
    const int i = ++problem->layer_count;
    problem::SoilLayer& layer = problem->layers[i];
    layer.layer_number = i;
    layer.bottom_depth = given.bottom_depth;
    layer.unit_weight = given.unit_weight;
    layer.curve_index = given.curve_index;
    layer.thickness_factor = 1.0f;
    problem->boundary_depths[i] = given.bottom_depth;
  }
  return problem;
}

}  // namespace testing_support
