// Placeholder until implemented.
#include "analysis/compressibility.h"

namespace analysis {
bool is_slope_line(const problem::CompressibilityCurve& curve) { return curve.point_count < 2; }
StrainLookup strain_at(const problem::CompressibilityCurve&, float) { return {0.0f, LookupCase::kExact}; }
float slope_line_strain_increase(const problem::CompressibilityCurve&, float, float) { return 0; }
bool pressure_is_acceptable(float pressure) { return pressure > 0.0f; }
}  // namespace analysis
