// The one door from the verification into settle: the stress increases the
// program computes for one loaded area at a set of settlement points. Nothing
// else in tools/verification/ or its test calls settle's code, so a change of
// the program's interfaces is taken up here alone.
#pragma once

#include <span>
#include <vector>

namespace verification {

enum class AreaKind { kRectangle, kCircle, kSpreadArea };

// One loaded area as the problem file gives it, in feet and ksf (kips for a
// spread area's total load). The load acts at the ground surface, except a
// spread area's, which acts at `elevation` and spreads from the level that
// `depth_reference` (1, 2 or 3) chooses between `upper_depth` and `lower_depth`.
struct AreaInput {
  AreaKind kind = AreaKind::kRectangle;
  float x = 0.0f;
  float y = 0.0f;
  float x_length = 0.0f;  // a circle's diameter
  float y_length = 0.0f;
  float slope = 0.0f;
  float loading = 1.0f;
  float elevation = 0.0f;
  float upper_depth = 0.0f;
  float lower_depth = 0.0f;
  int depth_reference = 1;
};

struct PointInput {
  float x = 0.0f;
  float y = 0.0f;
};

// The program's stress increase at every stress depth (0, 0.25, 0.5, ... down
// to `deepest`) below every point: stress[j][k] at depths[k] below point j.
struct ProgramStresses {
  std::vector<double> depths;
  std::vector<std::vector<double>> stress;
};

// Runs the program's stress computation on a one-layer profile `deepest` feet
// thick under `area` alone. REQUIRES: 0.5 <= deepest <= 387.5, a multiple of 0.5.
ProgramStresses program_stresses(const AreaInput& area, std::span<const PointInput> points,
                                 double deepest);

}  // namespace verification
