// Settle's own stress computation run on a problem built in memory: one soil
// layer, one loaded area, the settlement points. The only file of the
// verification that includes settle's headers.
#include "verification/program_stress.h"

#include <algorithm>
#include <memory>
#include <sstream>

#include "analysis/analysis_results.h"
#include "analysis/soil_profile.h"
#include "analysis/stress_increase.h"
#include "layout/record_writer.h"
#include "problem/problem_data.h"

namespace verification {
namespace {

std::int32_t shape_of(AreaKind kind) {
  switch (kind) {
    case AreaKind::kCircle:
      return problem::kCircle;
    case AreaKind::kSpreadArea:
      return problem::kSpreadArea;
    case AreaKind::kRectangle:
      break;
  }
  return problem::kRectangle;
}

}  // namespace

ProgramStresses program_stresses(const AreaInput& area, std::span<const PointInput> points,
                                 double deepest) {
  auto problem = std::make_unique<problem::ProblemData>();
  problem::set_unit_system(*problem, problem::kUsGravitational);
  problem->layer_count = 1;
  problem->boundary_depths[1] = static_cast<float>(deepest);
  problem->layers[1] = {1, static_cast<float>(deepest), 120.0f, 1, 1.0f};

  problem::LoadedArea& loaded = problem->areas[1];
  loaded.shape = shape_of(area.kind);
  loaded.x = area.x;
  loaded.y = area.y;
  loaded.x_length = area.x_length;
  loaded.y_length = area.y_length;
  loaded.area_slope = area.slope;
  loaded.loading = area.loading;
  loaded.elevation = area.elevation;
  loaded.upper_depth = area.upper_depth;
  loaded.lower_depth = area.lower_depth;
  loaded.depth_reference = area.depth_reference;
  if (area.kind == AreaKind::kSpreadArea) {
    problem->spread_area_count = 1;
    problem->spread_depth_reference = area.depth_reference;
  } else {
    problem->area_count = 1;
  }
  analysis::form_sublayers(*problem);
  const int depth_count = 2 * problem->sublayer_count + 1;

  ProgramStresses out;
  for (int k = 1; k <= depth_count; ++k) {
    out.depths.push_back(static_cast<double>(problem->stress_depths[static_cast<std::size_t>(k)]));
  }

  // The result table holds kMaxPoints points: larger sets go in batches.
  auto results = std::make_unique<analysis::AnalysisResults>();
  for (std::size_t first = 0; first < points.size(); first += problem::kMaxPoints) {
    const std::size_t count = std::min<std::size_t>(points.size() - first, problem::kMaxPoints);
    problem->point_count = static_cast<std::int32_t>(count);
    for (std::size_t j = 0; j < count; ++j) {
      problem::SettlementPoint& point = problem->points[j + 1];
      point = {};
      point.point_number = static_cast<std::int32_t>(first + j + 1);
      point.x = points[first + j].x;
      point.y = points[first + j].y;
      point.start_layer = 1;
      point.start_sublayer = 1;
    }
    std::ostringstream trace_text;
    layout::RecordWriter trace(trace_text, "\n", 7, "trace");
    analysis::compute_stress_increase(*problem, *results, trace);
    for (std::size_t j = 0; j < count; ++j) {
      const auto& row = results->stress_increase[j + 1];
      std::vector<double> column;
      for (int k = 1; k <= depth_count; ++k) {
        column.push_back(static_cast<double>(row[static_cast<std::size_t>(k)]));
      }
      out.stress.push_back(std::move(column));
    }
  }
  return out;
}

}  // namespace verification
