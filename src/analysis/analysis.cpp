// The analysis point by point: stresses, averages, settlements and warnings.
#include "analysis/analysis.h"

#include <algorithm>
#include <vector>

#include "analysis/point_workers.h"
#include "analysis/settlement.h"

namespace analysis {

std::unique_ptr<AnalysisResults> analyse(const problem::ProblemData& problem) {
  auto results = std::make_unique<AnalysisResults>();
  const PreparedAreas areas = prepare_areas(problem);
  // Each point's warnings are kept apart while the points are worked on side
  // by side, then joined in point order.
  std::vector<std::vector<StrainWarning>> warnings(
      static_cast<std::size_t>(std::max(problem.point_count, 0)));
  for_each_point(problem.point_count, [&](int j) {
    const problem::SettlementPoint& point = problem.points[j];
    stress_increase_at(problem, areas, point.x, point.y, results->stress_increase[j]);
    average_over_sublayers(problem, results->stress_increase[j], point.start_sublayer,
                           results->average_stress_increase[j]);
    results->total_settlement[j] = settle_point(
        problem, results->average_stress_increase[j], point.start_sublayer,
        {&results->sublayer_settlement[j], &warnings[static_cast<std::size_t>(j - 1)], j});
  });
  for (const std::vector<StrainWarning>& point_warnings : warnings) {
    results->strain_warnings.insert(results->strain_warnings.end(), point_warnings.begin(),
                                    point_warnings.end());
  }
  return results;
}

float settlement_at(const problem::ProblemData& problem, const PreparedAreas& areas, float x,
                    float y, std::int32_t start_sublayer) {
  // Two rows of one place at a time: nothing is kept that grows with the
  // number of places asked for.
  StressRow stress;
  SublayerRow average;
  stress_increase_at(problem, areas, x, y, stress);
  average_over_sublayers(problem, stress, start_sublayer, average);
  return settle_point(problem, average, start_sublayer, {});
}

}  // namespace analysis
