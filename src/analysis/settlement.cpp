// The settlement of every sublayer below every settlement point, from the
// change of strain its final pressure causes, and the point totals.
#include "analysis/settlement.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <vector>

#include "analysis/compressibility.h"
#include "analysis/point_workers.h"
#include "layout/render.h"

namespace analysis {
namespace {

void record(PointWarnings& warnings, StrainWarning warning) {
  warnings.warnings[static_cast<std::size_t>(warnings.count)] = warning;
  ++warnings.count;
}

// Settlement of `sublayer` under the stress increase `increase`, each formula
// multiplied out in the order written so that the printed digits follow.
float settle_sublayer(const problem::ProblemData& problem, const problem::Sublayer& sublayer,
                      float increase, PointWarnings& warnings) {
  const float p0 = sublayer.overburden_pressure;
  const float pf = p0 + increase;
  const float h = sublayer.thickness;
  const float factor = sublayer.thickness_factor;
  const problem::CompressibilityCurve& curve = curve_of(problem, sublayer.curve_index);

  if (!is_slope_line(curve)) {
    const StrainLookup final_strain = strain_at(curve, pf);
    if (final_strain.lookup_case == LookupCase::kBelow) record(warnings, StrainWarning::kBelowCurve);
    if (final_strain.lookup_case == LookupCase::kAbove) record(warnings, StrainWarning::kAboveCurve);
    // The strain change is taken per unit of the sublayer's height at F0.
    const float f0 = sublayer.initial_strain;
    return (((h * factor) * (final_strain.strain - f0)) / (1.0f - f0)) *
           problem.settlement_factor;
  }
  // Slope lines need no initial strain: the slope gives the change directly.
  if (curve.slope >= 0.0f) {
    return (log10_of_ratio(pf, p0) * ((curve.slope * h) * factor)) * problem.settlement_factor;
  }
  return (((h * factor) * std::fabs(curve.slope)) * increase) * problem.settlement_factor;
}

}  // namespace

void compute_point_settlement(const problem::ProblemData& problem, AnalysisResults& results,
                              int point, PointWarnings& warnings) {
  assert(point >= 1 && point <= problem::kMaxPoints);
  const auto row = static_cast<std::size_t>(point);
  auto& settlements = results.sublayer_settlement[row];
  const auto& increases = results.average_stress_increase[row];
  const int sublayer_count = std::clamp(problem.sublayer_count, 0, problem::kMaxSublayers);

  warnings.count = 0;
  std::fill(settlements.begin(), settlements.end(), 0.0f);
  float total = 0.0f;
  // Sublayers above the start sublayer take no part: they keep 0 and warn of nothing.
  const int first = std::max(problem.points[row].start_sublayer, 1);
  for (int m = first; m <= sublayer_count; ++m) {
    const auto column = static_cast<std::size_t>(m);
    const float settlement =
        settle_sublayer(problem, problem.sublayers[column], increases[column], warnings);
    settlements[column] = settlement;
    total = total + settlement;
  }
  results.total_settlement[row] = total;
}

void write_strain_warnings(layout::RecordWriter& report, const PointWarnings& warnings) {
  static const layout::Layout kBelowCurveWarning = layout::parse_layout(
      "(/,/,'*********** WARNING *************',/,"
      "'THE CALCULATED STRESS IS LESS THAN THE SMALLEST PRESSURE',/,"
      "'ON THE SOIL COMPRESSIBILITY CURVE. ADD NEW PRESSURE DATA,',/)");
  static const layout::Layout kAboveCurveWarning = layout::parse_layout(
      "(/,/,'*********** WARNING *************',/,"
      "'THE CALCULATED STRESS IS GREATER THAN THE LARGEST PRESSURE',/,"
      "'ON THE SOIL COMPRESSIBILITY CURVE. ADD NEW PRESSURE DATA,',/)");
  for (int w = 0; w < warnings.count; ++w) {
    const bool below = warnings.warnings[static_cast<std::size_t>(w)] == StrainWarning::kBelowCurve;
    layout::write_record(report, below ? kBelowCurveWarning : kAboveCurveWarning,
                        std::span<const layout::Value>());
  }
}

void compute_settlement(const problem::ProblemData& problem, AnalysisResults& results,
                        layout::RecordWriter& report) {
  // The points are settled side by side, each recording its own warnings;
  // the report then receives them in point, then sublayer order.
  const int point_count = std::clamp(problem.point_count, 0, problem::kMaxPoints);
  std::vector<PointWarnings> warnings(static_cast<std::size_t>(point_count) + 1);
  for_each_point(point_count, [&](int j) {
    compute_point_settlement(problem, results, j, warnings[static_cast<std::size_t>(j)]);
  });
  for (int j = 1; j <= point_count; ++j) {
    write_strain_warnings(report, warnings[static_cast<std::size_t>(j)]);
  }
}

}  // namespace analysis
