// Settle's own stress computation run on a problem built in memory: one soil
// layer, one loaded area, the settlement points. The only file of the
// verification that includes settle's headers.
#include "verification/program_stress.h"

#include <algorithm>
#include <memory>

#include "analysis/analysis_results.h"
#include "analysis/classic_profile.h"
#include "analysis/stress_increase.h"
#include "site/project.h"

namespace verification {
namespace {

loads::Load load_of(const AreaInput& area) {
  switch (area.kind) {
    case AreaKind::kCircle: {
      loads::Circle circle;
      circle.x = area.x;
      circle.y = area.y;
      circle.diameter = area.x_length;
      circle.pressure = area.loading;
      circle.depth = area.elevation;
      return circle;
    }
    case AreaKind::kSpreadArea: {
      loads::SpreadArea spread;
      spread.x = area.x;
      spread.y = area.y;
      spread.x_length = area.x_length;
      spread.y_length = area.y_length;
      spread.load = area.loading;
      spread.depth = area.elevation;
      spread.upper_depth = area.upper_depth;
      spread.lower_depth = area.lower_depth;
      spread.reference = area.depth_reference == 2   ? loads::SpreadReference::kTwoThirds
                         : area.depth_reference == 3 ? loads::SpreadReference::kLower
                                                     : loads::SpreadReference::kUpper;
      return spread;
    }
    case AreaKind::kRectangle:
      break;
  }
  loads::Rectangle rectangle;
  rectangle.x = area.x;
  rectangle.y = area.y;
  rectangle.x_length = area.x_length;
  rectangle.y_length = area.y_length;
  rectangle.slope = area.slope;
  rectangle.pressure = area.loading;
  rectangle.depth = area.elevation;
  return rectangle;
}

}  // namespace

ProgramStresses program_stresses(const AreaInput& area, std::span<const PointInput> points,
                                 double deepest) {
  // One layer of soil deep enough, the area, the points: a classic project.
  site::Project project;
  project.units = site::Units::kUs;
  project.analysis.method = site::Method::kClassic;
  soils::Soil soil;
  soil.name = "soil";
  soil.model = soils::Slope{0.0};
  project.soils.push_back(soil);
  site::Layer layer;
  layer.bottom = static_cast<double>(static_cast<float>(deepest));
  layer.soil = "soil";
  layer.unit_weight = 120.0;
  project.layers.push_back(layer);
  project.loads.push_back(load_of(area));
  const analysis::ClassicProfile profile = analysis::prepare_classic(project).profile;

  ProgramStresses out;
  for (const float depth : profile.stress_depths) out.depths.push_back(static_cast<double>(depth));
  // One stress row per point, as the analysis forms it for a settlement point.
  analysis::StressRow row;
  for (const PointInput& point : points) {
    analysis::stress_increase_at(profile, point.x, point.y, row);
    std::vector<double> column;
    for (const float stress : row) column.push_back(static_cast<double>(stress));
    out.stress.push_back(std::move(column));
  }
  return out;
}

}  // namespace verification
