// Compressibility curves: strain read off a point curve at a pressure, the
// strain increase of a slope line, and the rule that curve pressures are positive.
#pragma once

#include "problem/problem_data.h"

namespace analysis {

enum class LookupCase {
  kExact,         // the pressure of a curve point
  kBelow,         // below the first point: its strain
  kInterpolated,  // between two points, linear in log10 of pressure
  kAbove,         // above the last point: the last segment extended
};

struct StrainLookup {
  float strain;  // a fraction
  LookupCase lookup_case;
};

// True for a curve given by a slope alone (fewer than 2 points).
bool is_slope_line(const problem::CompressibilityCurve& curve);

// The strain of point curve `curve` at `pressure`.
// REQUIRES: !is_slope_line(curve).
StrainLookup strain_at(const problem::CompressibilityCurve& curve, float pressure);

// The strain increase of slope line `curve` from pressure `p0` to `p1`.
float slope_line_strain_increase(const problem::CompressibilityCurve& curve, float p0, float p1);

// A curve pressure is acceptable when it is greater than 0.0.
bool pressure_is_acceptable(float pressure);

}  // namespace analysis
