// The section's line, its samples and its crossings of the loaded areas.
#include "plot/section.h"

#include <algorithm>
#include <cmath>

#include "plot/area_outline.h"

namespace plot {

double Section::length() const { return std::hypot(line.x2 - line.x1, line.y2 - line.y1); }

int most_settled_point(const problem::ProblemData& problem,
                       const analysis::AnalysisResults& results) {
  int most = 1;
  for (int j = 2; j <= problem.point_count; ++j) {
    if (results.total_settlement[j] > results.total_settlement[most]) most = j;
  }
  return most;
}

SectionLine default_section_line(const problem::ProblemData& problem,
                                 const analysis::AnalysisResults& results,
                                 const analysis::PlanGrid& grid, const std::vector<float>& totals) {
  double y = 0.0;
  if (problem.point_count > 0) {
    y = static_cast<double>(problem.points[most_settled_point(problem, results)].y);
  } else {
    std::size_t most = 0;
    for (std::size_t k = 1; k < totals.size(); ++k) {
      if (totals[k] > totals[most]) most = k;
    }
    y = static_cast<double>(
        grid.y(static_cast<int>(most / static_cast<std::size_t>(grid.columns))));
  }
  const double right = grid.x0 + grid.spacing * (grid.columns - 1);
  // A grid of one column still gives a line of some length.
  return {grid.x0, y, right > grid.x0 ? right : grid.x0 + grid.spacing, y};
}

std::vector<SectionCrossing> section_crossings(const problem::ProblemData& problem,
                                               const SectionLine& line) {
  std::vector<SectionCrossing> crossings;
  const double length = std::hypot(line.x2 - line.x1, line.y2 - line.y1);
  for (int i = 1; i <= problem.total_area_count(); ++i) {
    const auto stretch =
        stretch_inside(area_outline(problem.areas[i]), {line.x1, line.y1}, {line.x2, line.y2});
    if (stretch) crossings.push_back({i, stretch->from * length, stretch->to * length});
  }
  return crossings;
}

double section_spacing(const SectionLine& line, double grid_spacing) {
  constexpr double kMostSteps = 1000.0;
  return std::max(grid_spacing, std::hypot(line.x2 - line.x1, line.y2 - line.y1) / kMostSteps);
}

std::vector<double> section_stations(double length, double spacing) {
  std::vector<double> stations;
  // A last multiple within a thousandth of a step of the end is the end.
  const auto steps = static_cast<long long>(std::floor(length / spacing + 1e-3));
  for (long long k = 0; k <= steps; ++k) {
    const double station = spacing * static_cast<double>(k);
    stations.push_back(k == steps && length - station < 1e-3 * spacing ? length : station);
  }
  if (stations.back() < length) stations.push_back(length);
  return stations;
}

Section compute_section(const problem::ProblemData& problem, const site::Project& project,
                        const analysis::ClassicProfile& profile, const SectionLine& line,
                        bool chosen, double spacing, std::int32_t start_layer) {
  Section section;
  section.line = line;
  section.chosen = chosen;
  section.crossings = section_crossings(problem, line);
  const double length = section.length();
  for (const double distance : section_stations(length, spacing)) {
    const double f = distance / length;
    SectionSample sample;
    sample.distance = distance;
    sample.at = {static_cast<double>(static_cast<float>(line.x1 + (line.x2 - line.x1) * f)),
                 static_cast<double>(static_cast<float>(line.y1 + (line.y2 - line.y1) * f))};
    section.samples.push_back(sample);
  }
  std::vector<float> x, y;
  for (const SectionSample& sample : section.samples) {
    x.push_back(static_cast<float>(sample.at.x));
    y.push_back(static_cast<float>(sample.at.y));
  }
  std::vector<float> totals(section.samples.size());
  analysis::settlement_at_places(project, profile, x, y, start_layer, totals);
  for (std::size_t k = 0; k < totals.size(); ++k) section.samples[k].settlement = totals[k];
  return section;
}

}  // namespace plot
