// The stress increase below a plan point, area by area, and its average over
// each sublayer. Single precision throughout, step by step.
#include "analysis/stress_increase.h"

#include <algorithm>
#include <cmath>

namespace analysis {
namespace {

PreparedArea prepare_area(const problem::LoadedArea& area) {
  PreparedArea prepared;
  prepared.area = &area;
  if (area.shape == problem::kCircle) {
    prepared.radius = area.x_length * 0.5f;
  } else if (area.shape == problem::kSpreadArea) {
    prepared.footprint = spread_footprint(area.depth_reference, area.upper_depth, area.lower_depth,
                                          area.y_length, area.x_length, area.x, area.y);
  } else {
    prepared.rectangle = rectangle_geometry(area);
  }
  return prepared;
}

int depth_count(const problem::ProblemData& problem) { return 2 * problem.sublayer_count + 1; }

void add_rectangle(const problem::ProblemData& problem, const PreparedArea& prepared, float x,
                   float y, StressRow& row) {
  const problem::LoadedArea& area = *prepared.area;
  const RectangleDistances distances = rectangle_distances(prepared.rectangle, x, y);
  const int depths = depth_count(problem);
  for (int k = 1; k <= depths; ++k) {
    const float z = problem.stress_depths[k] - area.elevation;
    if (z < 0.0f) continue;
    const float sum = rectangle_influence_sum(distances, z);
    row[k] += cut_to_five_decimals(sum) * area.loading;
  }
}

void add_circle(const problem::ProblemData& problem, const PreparedArea& prepared, float x, float y,
                StressRow& row) {
  const problem::LoadedArea& area = *prepared.area;
  const float a = prepared.radius;
  const float dx = area.x - x;
  const float dy = area.y - y;
  float r = std::sqrt(dx * dx + dy * dy);
  // A point that is on the rim to within rounding gets the rim value.
  if (std::abs(a - r) < 0.00001f) r = a;
  const int depths = depth_count(problem);
  for (int k = 1; k <= depths; ++k) {
    float z = problem.stress_depths[k] - area.elevation;
    if (std::abs(z) < 0.00001f) z = 0.0f;
    if (z < 0.0f) continue;
    row[k] += cut_to_five_decimals(circle_stress_ratio(a, r, z)) * area.loading;
  }
}

void add_spread_area(const problem::ProblemData& problem, const PreparedArea& prepared, float x,
                     float y, StressRow& row) {
  const problem::LoadedArea& area = *prepared.area;
  // The first depth at which the point falls inside the footprint takes
  // nothing: the load is counted from the next depth on.
  bool reached = false;
  const int depths = depth_count(problem);
  for (int k = 1; k <= depths; ++k) {
    const float depth = problem.stress_depths[k];
    const float z = depth - area.elevation;
    if (z < 0.00001f) continue;
    const float f = spread_2to1_factor(prepared.footprint, depth, x, y);
    if (f > 0.0f && !reached) {
      reached = true;
      continue;
    }
    row[k] += f * area.loading;
  }
}

}  // namespace

PreparedAreas prepare_areas(const problem::ProblemData& problem) {
  PreparedAreas prepared;
  prepared.count = std::max(problem.total_area_count(), 0);
  for (int i = 1; i <= prepared.count; ++i) prepared.areas[i] = prepare_area(problem.areas[i]);
  return prepared;
}

void stress_increase_at(const problem::ProblemData& problem, const PreparedAreas& areas, float x,
                        float y, StressRow& row) {
  const int depths = depth_count(problem);
  for (int k = 1; k <= depths; ++k) row[k] = 0.0f;
  // The areas in table order, so that the sums are the same wherever and in
  // whatever order the points are worked on.
  for (int i = 1; i <= areas.count; ++i) {
    const PreparedArea& prepared = areas.areas[i];
    switch (prepared.area->shape) {
      case problem::kCircle:
        add_circle(problem, prepared, x, y, row);
        break;
      case problem::kSpreadArea:
        add_spread_area(problem, prepared, x, y, row);
        break;
      default:
        add_rectangle(problem, prepared, x, y, row);
        break;
    }
  }
}

void average_over_sublayers(const problem::ProblemData& problem, const StressRow& stress,
                            int start_sublayer, SublayerRow& average) {
  for (int m = 1; m <= problem.sublayer_count; ++m) {
    // Simpson's rule over the sublayer: top, centre and bottom.
    average[m] = m < start_sublayer
                     ? 0.0f
                     : (4.0f * stress[2 * m] + stress[2 * m - 1] + stress[2 * m + 1]) / 6.0f;
  }
}

}  // namespace analysis
