// Settle's own stress computation run on a problem built in memory: one soil
// layer, one loaded area, the settlement points. The only file of the
// verification that includes settle's headers.
#include "verification/program_stress.h"

#include <algorithm>
#include <memory>

#include "analysis/analysis_results.h"
#include "analysis/soil_profile.h"
#include "analysis/stress_increase.h"
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
    out.depths.push_back(static_cast<double>(problem->stress_depths[k]));
  }

  // One stress row per point, as the analysis forms it for a settlement point.
  const analysis::PreparedAreas prepared = analysis::prepare_areas(*problem);
  auto row = std::make_unique<analysis::StressRow>();
  for (const PointInput& point : points) {
    analysis::stress_increase_at(*problem, prepared, point.x, point.y, *row);
    std::vector<double> column;
    for (int k = 1; k <= depth_count; ++k) column.push_back(static_cast<double>((*row)[k]));
    out.stress.push_back(std::move(column));
  }
  return out;
}

}  // namespace verification
