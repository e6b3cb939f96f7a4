// The grid nodes' columns and their one value each.
#include "analysis/time_grid.h"

#include <limits>
#include <optional>

#include "analysis/exact_analysis.h"
#include "analysis/point_workers.h"
#include "consolidation/column_check.h"
#include "consolidation/point_history.h"

namespace analysis {
namespace {

constexpr float kNone = std::numeric_limits<float>::quiet_NaN();

// The value `of_column` gives the column at every node, row by row.
template <typename OfColumn>
std::vector<float> on_grid(const site::Project& project, const ExactProfile& profile,
                           const TimeSetup& setup, const PlanGrid& grid, std::int32_t start_layer,
                           const OfColumn& of_column,
                           const std::function<void(int, int)>& progress) {
  const std::size_t first_counted = first_counted_sublayer(profile, start_layer);
  const auto columns = static_cast<std::size_t>(grid.columns);
  std::vector<float> values(static_cast<std::size_t>(grid.node_count()), kNone);
  for (int j = 0; j < grid.rows; ++j) {
    const double y = grid.y0 + grid.spacing * j;
    float* row = values.data() + static_cast<std::size_t>(j) * columns;
    for_each_point(grid.columns, [&](int i) {
      const double x = grid.x0 + grid.spacing * (i - 1);
      const std::optional<PlaceAnalysis> place =
          analyse_place(project, profile, x, y, first_counted, setup.split());
      if (!place) return;
      const consolidation::Column column =
          point_column(setup, profile, place->point, place->increases);
      if (consolidation::check_column(column, {})) return;
      const std::optional<double> value = of_column(column);
      if (value) row[i - 1] = static_cast<float>(*value);
    });
    if (progress) progress(j + 1, grid.rows);
  }
  return values;
}

}  // namespace

std::vector<float> time_to_share_on_grid(const site::Project& project, const ExactProfile& profile,
                                         const TimeSetup& setup, const PlanGrid& grid,
                                         std::int32_t start_layer, double share,
                                         const std::function<void(int, int)>& progress) {
  return on_grid(
      project, profile, setup, grid, start_layer,
      [share](const consolidation::Column& column) {
        return consolidation::time_to_share(column, share);
      },
      progress);
}

std::vector<float> settlement_at_time_on_grid(const site::Project& project,
                                              const ExactProfile& profile, const TimeSetup& setup,
                                              const PlanGrid& grid, std::int32_t start_layer,
                                              double time,
                                              const std::function<void(int, int)>& progress) {
  return on_grid(
      project, profile, setup, grid, start_layer,
      [time](const consolidation::Column& column) -> std::optional<double> {
        return consolidation::settlement_at_time(column, time);
      },
      progress);
}

}  // namespace analysis
