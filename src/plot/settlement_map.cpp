// Working out the settlement map from the grid and the points.
#include "plot/settlement_map.h"

#include <algorithm>
#include <cmath>

#include "plot/structures.h"

namespace plot {
namespace {

struct Range {
  double smallest = 0.0, largest = 0.0;
  void cover(double value) {
    if (!std::isfinite(value)) return;
    smallest = std::min(smallest, value);
    largest = std::max(largest, value);
  }
};

// The grid's values into the map, with its scale, levels, lines and regions.
void contour(SettlementMap& map, const analysis::PlanGrid& nodes, std::vector<double> values,
             Range range, const MapInput& input) {
  map.has_grid = nodes.columns >= 2 && nodes.rows >= 2 &&
                 values.size() == static_cast<std::size_t>(nodes.node_count());
  if (map.has_grid) {
    for (const double value : values) range.cover(value);
    map.grid = {nodes.x0, nodes.y0, nodes.spacing, nodes.columns, nodes.rows, std::move(values)};
  }
  map.scale = map_scale(input, range.smallest, range.largest);
  map.levels_chosen = input.contour_interval || !input.contour_levels.empty();
  map.levels = contour_levels(map.scale);
  if (!map.has_grid) return;
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

void common(SettlementMap& map, const problem::ProblemData& problem,
            const analysis::AnalysisResults& results, const PageInput& input) {
  map.points = page_points(problem, results, input.structures);
  map.extent = input.map.extent;
  map.start_layer = input.map.start_layer;
  map.start_layer_chosen = input.map.start_layer_chosen;
  map.area_labels = input.map.area_labels;
  map.title = input.title;
  map.distortion_limit = input.distortion_limit;
  map.distortion_limit_text = input.distortion_limit_text;
  if (input.section) map.section = input.section->line;
}

}  // namespace

ColourScale map_scale(const MapInput& input, double smallest, double largest) {
  if (!input.contour_levels.empty()) return levels_scale(smallest, largest, input.contour_levels);
  if (input.contour_interval) return interval_scale(smallest, largest, *input.contour_interval);
  return make_contour_scale(smallest, largest);
}

SettlementMap make_settlement_map(const problem::ProblemData& problem,
                                  const analysis::AnalysisResults& results,
                                  const PageInput& input) {
  SettlementMap map;
  common(map, problem, results, input);
  Range range;
  for (const PagePoint& point : map.points) range.cover(point.settlement);
  if (input.section) {
    for (const SectionSample& sample : input.section->samples)
      range.cover(static_cast<double>(sample.settlement));
  }
  std::vector<double> values(input.map.totals.begin(), input.map.totals.end());
  contour(map, input.map.grid, std::move(values), range, input.map);
  const double per_length = static_cast<double>(problem.settlement_factor);
  map.distortion = distortion_by_structure(map.points, per_length, input.distortion_limit);
  return map;
}

SettlementMap make_stress_map(const problem::ProblemData& problem,
                              const analysis::AnalysisResults& results, const PageInput& input) {
  SettlementMap map;
  common(map, problem, results, input);
  map.stress = true;
  map.stress_depth = input.stress_map->depth;
  // Its own round levels: the options' levels are settlements.
  MapInput levels;
  contour(map, input.stress_map->grid, input.stress_map->stresses, Range{}, levels);
  return map;
}

SettlementMap contoured_map(const analysis::PlanGrid& nodes, std::vector<double> values,
                            std::span<const double> also, const MapInput& input) {
  SettlementMap map;
  Range range;
  for (const double value : also) range.cover(value);
  contour(map, nodes, std::move(values), range, input);
  map.extent = input.extent;
  map.start_layer = input.start_layer;
  map.start_layer_chosen = input.start_layer_chosen;
  map.area_labels = input.area_labels;
  return map;
}

}  // namespace plot
