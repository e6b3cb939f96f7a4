// The settlement of every sublayer below a settlement point, from the change
// of strain its final pressure causes, and the point's total.
#include "analysis/settlement.h"

#include <algorithm>
#include <cmath>

#include "analysis/compressibility.h"

namespace analysis {
namespace {

// The warning for a final pressure `pf` outside `curve` (read from it by
// `lookup`), or none.
void warn_outside(const ClassicCurve& curve, const ClassicSublayer& sublayer, float pf,
                  LookupCase lookup, const PointSettlement& out) {
  if (out.warnings == nullptr) return;
  if (lookup != LookupCase::kBelow && lookup != LookupCase::kAbove) return;
  const bool below = lookup == LookupCase::kBelow;
  out.warnings->push_back({out.point, sublayer.sublayer_number, sublayer.curve_index,
                           below ? CurveSide::kBelow : CurveSide::kAbove,
                           sublayer.overburden_pressure, pf,
                           below ? curve.pressure[1] : curve.pressure[curve.point_count]});
}

// Settlement of `sublayer` under the stress increase `increase`, each formula
// multiplied out in the order written so that the printed digits follow.
float settle_sublayer(const ClassicProfile& profile, const ClassicSublayer& sublayer,
                      float increase, const PointSettlement& out) {
  const float p0 = sublayer.overburden_pressure;
  const float pf = p0 + increase;
  const float h = sublayer.thickness;
  const float factor = sublayer.thickness_factor;
  const ClassicCurve& curve = curve_of(profile, sublayer.curve_index);

  if (!is_slope_line(curve)) {
    const StrainLookup final_strain = strain_at(curve, pf);
    warn_outside(curve, sublayer, pf, final_strain.lookup_case, out);
    // The strain change is taken per unit of the sublayer's height at F0.
    const float f0 = sublayer.initial_strain;
    return (((h * factor) * (final_strain.strain - f0)) / (1.0f - f0)) * profile.settlement_factor;
  }
  // Slope lines need no initial strain: the slope gives the change directly.
  if (curve.slope >= 0.0f) {
    return (log10_of_ratio(pf, p0) * ((curve.slope * h) * factor)) * profile.settlement_factor;
  }
  return (((h * factor) * std::fabs(curve.slope)) * increase) * profile.settlement_factor;
}

}  // namespace

float settle_point(const ClassicProfile& profile, const SublayerRow& average,
                   std::int32_t start_sublayer, const PointSettlement& out) {
  if (out.sublayers != nullptr) {
    out.sublayers->resize(profile.sublayer_count());
    for (float& settlement : *out.sublayers) settlement = 0.0f;
  }
  float total = 0.0f;
  // Sublayers above the start sublayer take no part: they keep 0 and warn of nothing.
  for (int m = std::max(start_sublayer, 1); m <= profile.sublayer_count(); ++m) {
    const float settlement = settle_sublayer(profile, profile.sublayers[m], average[m], out);
    if (out.sublayers != nullptr) (*out.sublayers)[m] = settlement;
    total = total + settlement;
  }
  return total;
}

}  // namespace analysis
