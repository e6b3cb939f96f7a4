// Working out the settlement map from the grid and the points.
#include "plot/settlement_map.h"

#include <algorithm>
#include <cmath>

namespace plot {

SettlementMap make_settlement_map(const problem::ProblemData& problem,
                                  const analysis::AnalysisResults& results,
                                  const PageInput& input) {
  SettlementMap map;
  map.extent = input.map.extent;
  const analysis::PlanGrid& nodes = input.map.grid;
  map.has_grid = nodes.columns >= 2 && nodes.rows >= 2 &&
                 input.map.totals.size() == static_cast<std::size_t>(nodes.node_count());
  double smallest = 0.0, largest = 0.0;
  const auto cover = [&](double value) {
    if (!std::isfinite(value)) return;
    smallest = std::min(smallest, value);
    largest = std::max(largest, value);
  };
  if (map.has_grid) {
    map.grid = {nodes.x0, nodes.y0, nodes.spacing, nodes.columns, nodes.rows, {}};
    map.grid.values.reserve(input.map.totals.size());
    for (const float total : input.map.totals) {
      map.grid.values.push_back(static_cast<double>(total));
      cover(map.grid.values.back());
    }
  }
  std::vector<PlanPoint> points;
  std::vector<double> totals;
  for (int j = 1; j <= problem.point_count; ++j) {
    points.push_back(
        {static_cast<double>(problem.points[j].x), static_cast<double>(problem.points[j].y)});
    totals.push_back(static_cast<double>(results.total_settlement[j]));
    cover(totals.back());
  }
  if (input.section) {
    map.section = input.section->line;
    for (const SectionSample& sample : input.section->samples)
      cover(static_cast<double>(sample.settlement));
  }
  map.scale = make_contour_scale(smallest, largest);
  map.levels = contour_levels(map.scale);
  const double per_length = static_cast<double>(problem.settlement_factor);
  if (map.has_grid) {
    // The slope first, where a total that is not finite leaves its cells out.
    map.steepest = steepest_slope(map.grid, per_length);
    // Past the last level by a band: far enough to paint, near enough that
    // the lines round it stay where the values are.
    const double beyond_every_level = map.scale.high() + map.scale.step;
    for (double& value : map.grid.values) {
      if (std::isfinite(value)) continue;
      value = beyond_every_level;
      ++map.unbounded_nodes;
    }
    map.contours = contour_lines(map.grid, map.levels);
    for (const double level : map.levels) map.regions.push_back(region_at_least(map.grid, level));
  }
  map.distortion_limit = input.distortion_limit;
  map.distortion = distortion_table(points, totals, per_length, input.distortion_limit);
  return map;
}

}  // namespace plot
