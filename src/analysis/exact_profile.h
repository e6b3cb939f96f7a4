// The exact method's profile of a site project: every layer cut into equal
// sublayers no thicker than the project's max_sublayer (nothing dropped),
// their initial total, pore and effective stresses, the change of pore
// pressure that a final water table brings, each point's first counted
// sublayer, and the loads prepared. Double precision throughout.
#pragma once

#include <cstddef>
#include <vector>

#include "loads/prepared_load.h"
#include "site/diagnostic.h"
#include "site/project.h"
#include "soils/soil.h"

namespace analysis {

struct ExactSublayer {
  std::size_t layer = 0;  // position of its layer, from 0
  double top = 0.0;
  double centre = 0.0;
  double bottom = 0.0;
  double thickness_factor = 1.0;
  double sigma_v0 = 0.0;      // total vertical stress at the centre
  double u0 = 0.0;            // pore pressure at the centre, at the start
  double sigma_eff0 = 0.0;    // sigma_v0 - u0
  double water_change = 0.0;  // u0 - uf: the effective stress the water table's change adds
};

struct ExactPoint {
  double x = 0.0;
  double y = 0.0;
  std::size_t first_counted = 0;  // the first sublayer of its start layer
};

struct ExactProfile {
  double settlement_factor = 1000.0;      // m to mm, or ft to inches (12)
  double water_unit_weight = 9.81;        // pressure per length: kPa/m or ksf/ft
  std::vector<ExactSublayer> sublayers;   // top down
  std::vector<std::size_t> layer_starts;  // first sublayer of each layer, and the count at the end
  std::vector<const soils::Soil*> layer_soils;  // into the project
  std::vector<ExactPoint> points;
  std::vector<loads::PreparedLoad> loads;
};

// The stress depths of the sublayers as the stress sums take them: node 2s is
// the top of sublayer s (from 0), node 2s + 1 its centre, node 2s + 2 its
// bottom, which is the top of sublayer s + 1.
std::vector<double> stress_nodes(const ExactProfile& profile);

// The profile of `project`, or the errors that stop it (a sublayer whose
// initial effective stress is not above 0, naming its layer, its depth and the
// three stresses). REQUIRES: the project passed site::check_project.
struct ExactPreparation {
  ExactProfile profile;
  std::vector<site::Diagnostic> diagnostics;
};
ExactPreparation prepare_exact(const site::Project& project);

// The initial effective stress at `depth` in layer `layer` (from 0), worked
// out as at a sublayer's centre: what a layer's tangent compressibility is
// taken at. REQUIRES: the project passed site::check_project.
double initial_effective_stress(const site::Project& project, const ExactProfile& profile,
                                std::size_t layer, double depth);

// The first sublayer that a point starting at layer `start_layer` counts:
// that of the layer (from 1), the first of all for 0.
std::size_t first_counted_sublayer(const ExactProfile& profile, int start_layer);

}  // namespace analysis
