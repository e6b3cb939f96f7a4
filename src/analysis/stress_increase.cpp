// The stress increase at the settlement points, area by area, and its
// average over each sublayer. Single precision throughout, step by step.
#include "analysis/stress_increase.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "analysis/influence.h"
#include "analysis/point_workers.h"
#include "analysis/rectangle_geometry.h"
#include "layout/render.h"

namespace analysis {
namespace {

using StressRow = std::array<float, problem::kMaxStressDepths + 1>;

// What one area needs at every point, worked out once per area.
struct PreparedArea {
  const problem::LoadedArea* area = nullptr;
  RectangleGeometry rectangle;  // rectangles only
  float radius = 0.0f;          // circles only
  SpreadFootprint footprint;    // spread areas only
};

PreparedArea prepare_area(const problem::LoadedArea& area) {
  PreparedArea prepared;
  prepared.area = &area;
  if (area.shape == problem::kCircle) {
    prepared.radius = area.x_length * 0.5f;
  } else if (area.shape == problem::kSpreadArea) {
    prepared.footprint = spread_footprint(area.depth_reference, area.upper_depth,
                                          area.lower_depth, area.y_length, area.x_length,
                                          area.x, area.y);
  } else {
    prepared.rectangle = rectangle_geometry(area);
  }
  return prepared;
}

void add_rectangle(const problem::ProblemData& problem, const PreparedArea& prepared,
                   const problem::SettlementPoint& point, StressRow& row) {
  const problem::LoadedArea& area = *prepared.area;
  const RectangleDistances distances = rectangle_distances(prepared.rectangle, point.x, point.y);
  const int depth_count = 2 * problem.sublayer_count + 1;
  for (int k = 1; k <= depth_count; ++k) {
    const float z = problem.stress_depths[k] - area.elevation;
    if (z < 0.0f) continue;
    const float sum = rectangle_influence_sum(distances, z);
    row[k] += cut_to_five_decimals(sum) * area.loading;
  }
}

void add_circle(const problem::ProblemData& problem, const PreparedArea& prepared,
                const problem::SettlementPoint& point, StressRow& row) {
  const problem::LoadedArea& area = *prepared.area;
  const float a = prepared.radius;
  const float dx = area.x - point.x;
  const float dy = area.y - point.y;
  float r = std::sqrt(dx * dx + dy * dy);
  // A point that is on the rim to within rounding gets the rim value.
  if (std::abs(a - r) < 0.00001f) r = a;
  const int depth_count = 2 * problem.sublayer_count + 1;
  for (int k = 1; k <= depth_count; ++k) {
    float z = problem.stress_depths[k] - area.elevation;
    if (std::abs(z) < 0.00001f) z = 0.0f;
    if (z < 0.0f) continue;
    row[k] += cut_to_five_decimals(circle_stress_ratio(a, r, z)) * area.loading;
  }
}

void add_spread_area(const problem::ProblemData& problem, const PreparedArea& prepared,
                     const problem::SettlementPoint& point, StressRow& row) {
  const problem::LoadedArea& area = *prepared.area;
  // The first depth at which the point falls inside the footprint takes
  // nothing: the load is counted from the next depth on.
  bool reached = false;
  const int depth_count = 2 * problem.sublayer_count + 1;
  for (int k = 1; k <= depth_count; ++k) {
    const float depth = problem.stress_depths[k];
    const float z = depth - area.elevation;
    if (z < 0.00001f) continue;
    const float f = spread_2to1_factor(prepared.footprint, depth, point.x, point.y);
    if (f > 0.0f && !reached) {
      reached = true;
      continue;
    }
    row[k] += f * area.loading;
  }
}

// Adds one area's contribution at every stress depth of one point. It reads
// shared data only and writes only that point's row.
void add_area_at_point(const problem::ProblemData& problem, const PreparedArea& prepared,
                       const problem::SettlementPoint& point, StressRow& row) {
  switch (prepared.area->shape) {
    case problem::kCircle:
      add_circle(problem, prepared, point, row);
      break;
    case problem::kSpreadArea:
      add_spread_area(problem, prepared, point, row);
      break;
    default:
      add_rectangle(problem, prepared, point, row);
      break;
  }
}

void write_trace_line(layout::RecordWriter& trace, int area_position, int point_position) {
  static const layout::Layout kTraceLine =
      layout::parse_layout("(5X,'COMPUTING AREA',I3,' AT POINT',I3)");
  layout::write_record(trace, kTraceLine,
                       {layout::Value::of(static_cast<std::int32_t>(area_position)),
                        layout::Value::of(static_cast<std::int32_t>(point_position))});
}

}  // namespace

void compute_stress_increase(const problem::ProblemData& problem, AnalysisResults& results,
                             layout::RecordWriter& trace) {
  const int area_count = std::clamp(problem.total_area_count(), 0, problem::kMaxAreas);
  const int point_count = std::clamp(problem.point_count, 0, problem::kMaxPoints);
  // The trace names the pairs in area-then-point order and depends on nothing
  // computed, so it is written whole before the points are worked on.
  for (int i = 1; i <= area_count; ++i) {
    for (int j = 1; j <= point_count; ++j) write_trace_line(trace, i, j);
  }
  std::array<PreparedArea, problem::kMaxAreas + 1> prepared{};
  for (int i = 1; i <= area_count; ++i) prepared[i] = prepare_area(problem.areas[i]);

  // Each point's row takes the areas in table order, as one thread would add
  // them, so the sums do not depend on how the points are shared out.
  const int depth_count = 2 * problem.sublayer_count + 1;
  for_each_point(point_count, [&](int j) {
    StressRow& row = results.stress_increase[j];
    for (int k = 1; k <= depth_count; ++k) row[k] = 0.0f;
    for (int i = 1; i <= area_count; ++i) {
      add_area_at_point(problem, prepared[i], problem.points[j], row);
    }
  });
}

void average_stress_increase(const problem::ProblemData& problem, AnalysisResults& results) {
  for (int j = 1; j <= problem.point_count; ++j) {
    const auto& stress = results.stress_increase[j];
    auto& average = results.average_stress_increase[j];
    const int start = problem.points[j].start_sublayer;
    for (int m = 1; m <= problem.sublayer_count; ++m) {
      // Simpson's rule over the sublayer: top, centre and bottom.
      average[m] = m < start ? 0.0f
                             : (4.0f * stress[2 * m] + stress[2 * m - 1] + stress[2 * m + 1]) / 6.0f;
    }
  }
}

}  // namespace analysis
