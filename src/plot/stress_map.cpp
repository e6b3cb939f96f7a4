// The stress map's nodes: the stress increase row of a settlement point,
// read at one of its depths.
#include "plot/stress_map.h"

#include <cmath>

#include "analysis/point_workers.h"
#include "analysis/stress_increase.h"

namespace plot {
namespace {

// The index k of the profile's stress depths nearest `depth`, 0 for none.
int nearest_index(const analysis::ClassicProfile& profile, double depth) {
  const int depths = 2 * profile.sublayer_count() + 1;
  if (profile.sublayer_count() < 1) return 0;
  int best = 1;
  for (int k = 2; k <= depths; ++k) {
    if (std::fabs(static_cast<double>(profile.stress_depths[k]) - depth) <
        std::fabs(static_cast<double>(profile.stress_depths[best]) - depth)) {
      best = k;
    }
  }
  const double last = static_cast<double>(profile.stress_depths[depths]);
  const double quarter =
      static_cast<double>(profile.sublayers[profile.sublayer_count()].thickness) / 4.0;
  return depth > last + quarter ? 0 : best;
}

}  // namespace

std::optional<double> nearest_stress_depth(const analysis::ClassicProfile& profile, double depth) {
  const int k = nearest_index(profile, depth);
  if (k == 0) return std::nullopt;
  return static_cast<double>(profile.stress_depths[k]);
}

StressMapInput stress_on_grid(const analysis::ClassicProfile& profile,
                              const analysis::PlanGrid& grid, double depth) {
  StressMapInput map;
  map.depth_asked = depth;
  const int k = nearest_index(profile, depth);
  map.depth = static_cast<double>(profile.stress_depths[k]);
  map.grid = grid;
  map.stresses.assign(static_cast<std::size_t>(grid.node_count()), 0.0);
  const int columns = grid.columns;
  // A row of the stress depths for every node of a grid row; rows in turn.
  for (int j = 0; j < grid.rows; ++j) {
    analysis::for_each_point(columns, [&](int i) {
      analysis::StressRow row;
      analysis::stress_increase_at(profile, grid.x(i - 1), grid.y(j), row);
      map.stresses[static_cast<std::size_t>(j) * static_cast<std::size_t>(columns) +
                   static_cast<std::size_t>(i - 1)] = static_cast<double>(row[k]);
    });
  }
  return map;
}

}  // namespace plot
