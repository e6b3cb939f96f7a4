// The classic analysis point by point: stresses, averages, settlements and
// warnings.
#include "analysis/classic_analysis.h"

#include <vector>

#include "analysis/point_workers.h"
#include "analysis/settlement.h"
#include "analysis/stress_increase.h"

namespace analysis {

std::unique_ptr<AnalysisResults> analyse(const ClassicProfile& profile) {
  auto results = std::make_unique<AnalysisResults>();
  const int points = profile.points.count();
  results->stress_increase.resize(points);
  results->average_stress_increase.resize(points);
  results->sublayer_settlement.resize(points);
  results->total_settlement.resize(points);
  // Each point's warnings are kept apart while the points are worked on side
  // by side, then joined in point order.
  std::vector<std::vector<StrainWarning>> warnings(static_cast<std::size_t>(points));
  for_each_point(points, [&](int j) {
    const ClassicPoint& point = profile.points[j];
    stress_increase_at(profile, point.x, point.y, results->stress_increase[j]);
    average_over_sublayers(profile, results->stress_increase[j], point.start_sublayer,
                           results->average_stress_increase[j]);
    results->total_settlement[j] = settle_point(
        profile, results->average_stress_increase[j], point.start_sublayer,
        {&results->sublayer_settlement[j], &warnings[static_cast<std::size_t>(j - 1)], j});
  });
  for (const std::vector<StrainWarning>& point_warnings : warnings) {
    results->strain_warnings.insert(results->strain_warnings.end(), point_warnings.begin(),
                                    point_warnings.end());
  }
  return results;
}

float settlement_at(const ClassicProfile& profile, float x, float y, std::int32_t start_sublayer) {
  // Two rows of one place at a time: nothing is kept that grows with the
  // number of places asked for.
  StressRow stress;
  SublayerRow average;
  stress_increase_at(profile, x, y, stress);
  average_over_sublayers(profile, stress, start_sublayer, average);
  return settle_point(profile, average, start_sublayer, {});
}

}  // namespace analysis
