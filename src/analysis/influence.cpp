// Placeholder until implemented.
#include "analysis/influence.h"

namespace analysis {
EllipticIntegrals elliptic_integrals(double, double) { return {0, 0}; }
float circle_stress_ratio(float, float, float) { return 0; }
float rectangle_corner_factor(float, float) { return 0; }
float spread_2to1_factor(std::int32_t, float, float, float, float, float, float, float, float, float) { return 0; }
}  // namespace analysis
