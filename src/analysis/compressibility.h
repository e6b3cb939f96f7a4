// The classic method's compressibility curves: strain read off a point curve at a pressure, and the
// curve a sublayer refers to.
#pragma once

#include <cstdint>

#include "analysis/classic_profile.h"

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

// The curve at position `curve_index` of the profile's curves; a position
// outside them finds an empty curve (a slope line of slope 0).
const ClassicCurve& curve_of(const ClassicProfile& profile, std::int32_t curve_index);

// The strain of point curve `curve` at `pressure`, and where on the curve it
// was read. Above the last point the last segment is extended.
// REQUIRES: !is_slope_line(curve).
StrainLookup strain_at(const ClassicCurve& curve, float pressure);

// log10(`numerator` / `denominator`): the quotient in single precision, its
// logarithm in double, the result kept as single.
float log10_of_ratio(float numerator, float denominator);

}  // namespace analysis
