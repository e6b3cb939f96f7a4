// The settlement map's grid: its extent, its spacing and its totals.
#include "analysis/settlement_grid.h"

#include <algorithm>
#include <cmath>

#include "analysis/classic_analysis.h"
#include "analysis/exact_analysis.h"
#include "analysis/point_workers.h"
#include "loads/load.h"

namespace analysis {
namespace {

constexpr double kCellsAlongLongerSide = 80.0;
constexpr double kMarginPerSide = 0.2;

struct Box {
  double min_x = 1e300, max_x = -1e300, min_y = 1e300, max_y = -1e300;
  void add(double x, double y) {
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    min_x = std::min(min_x, x);
    max_x = std::max(max_x, x);
    min_y = std::min(min_y, y);
    max_y = std::max(max_y, y);
  }
  bool empty() const { return min_x > max_x; }
};

// The round step (1, 2, 2.5 or 5 times a power of ten) whose count in `span`
// comes nearest to `count`, on a logarithmic scale.
double round_spacing(double span, double count) {
  const double target = span / count;
  const double decade = std::pow(10.0, std::floor(std::log10(target)));
  double best = decade;
  for (const double multiple : {1.0, 2.0, 2.5, 5.0, 10.0}) {
    const double step = multiple * decade;
    if (std::fabs(std::log(step / target)) < std::fabs(std::log(best / target))) best = step;
  }
  return best;
}

// What a grid covers: the plan extent, the margin on each side, and the
// spacing asked for or else the round one.
struct GridCover {
  PlanExtent extent;
  double margin = 0.0;
  double spacing = 1.0;
};

GridCover grid_cover(const site::Project& project, std::optional<double> spacing) {
  GridCover cover;
  cover.extent = plan_extent(project);
  const double longer = std::max({cover.extent.width(), cover.extent.height(), 1.0});
  cover.margin = kMarginPerSide * longer;
  cover.spacing =
      spacing ? *spacing : round_spacing(longer + 2.0 * cover.margin, kCellsAlongLongerSide);
  return cover;
}

// The total settlement at each place (x[k], y[k]) into total[k], the places
// handed to the workers in batches well inside their int counter.
void settle_places(const ClassicProfile& profile, std::int32_t start_sublayer,
                   std::span<const float> x, std::span<const float> y, std::span<float> total) {
  constexpr std::size_t kPlacesPerBatch = std::size_t{1} << 20;
  for (std::size_t first = 0; first < total.size(); first += kPlacesPerBatch) {
    const std::size_t batch = std::min(kPlacesPerBatch, total.size() - first);
    for_each_point(static_cast<int>(batch), [&](int k) {
      const std::size_t at = first + static_cast<std::size_t>(k - 1);
      total[at] = settlement_at(profile, x[at], y[at], start_sublayer);
    });
  }
}

// The same by the exact method, from sublayer `first_counted` (from 0).
void settle_places(const ExactProfile& profile, std::size_t first_counted, std::span<const float> x,
                   std::span<const float> y, std::span<float> total) {
  constexpr std::size_t kPlacesPerBatch = std::size_t{1} << 20;
  for (std::size_t first = 0; first < total.size(); first += kPlacesPerBatch) {
    const std::size_t batch = std::min(kPlacesPerBatch, total.size() - first);
    for_each_point(static_cast<int>(batch), [&](int k) {
      const std::size_t at = first + static_cast<std::size_t>(k - 1);
      total[at] = static_cast<float>(exact_settlement_at(
          profile, static_cast<double>(x[at]), static_cast<double>(y[at]), first_counted));
    });
  }
}

// Row by row from y0, each row's nodes over the cores.
template <typename SettleRow>
std::vector<float> settle_rows(const PlanGrid& grid, const SettleRow& settle_row,
                               const std::function<void(int, int)>& progress) {
  const auto columns = static_cast<std::size_t>(grid.columns);
  std::vector<float> x(columns);
  for (int i = 0; i < grid.columns; ++i) x[static_cast<std::size_t>(i)] = grid.x(i);
  std::vector<float> y(columns);
  std::vector<float> totals(static_cast<std::size_t>(grid.node_count()), 0.0f);
  for (int j = 0; j < grid.rows; ++j) {
    std::fill(y.begin(), y.end(), grid.y(j));
    settle_row(std::span<const float>(x), std::span<const float>(y),
               std::span<float>(totals).subspan(static_cast<std::size_t>(j) * columns, columns));
    if (progress) progress(j + 1, grid.rows);
  }
  return totals;
}

}  // namespace

PlanExtent plan_extent(const site::Project& project) {
  Box box;
  for (const loads::Load& load : project.loads)
    for (const loads::PlanPoint& corner : loads::plan_outline(load).ring)
      box.add(corner.x, corner.y);
  // Where the points stand as the analysis takes them, in single precision.
  for (const site::Point& point : project.points)
    box.add(static_cast<double>(static_cast<float>(point.x)),
            static_cast<double>(static_cast<float>(point.y)));
  if (box.empty()) box.add(0.0, 0.0);
  return {box.min_x, box.max_x, box.min_y, box.max_y};
}

PlanGrid plan_grid(const site::Project& project, std::optional<double> spacing) {
  const GridCover cover = grid_cover(project, spacing);
  const PlanExtent& extent = cover.extent;
  const double margin = cover.margin;
  PlanGrid grid;
  grid.spacing = cover.spacing;
  // Nodes on multiples of the spacing, covering the extent and its margin.
  const double s = grid.spacing;
  grid.x0 = std::floor((extent.min_x - margin) / s) * s;
  grid.y0 = std::floor((extent.min_y - margin) / s) * s;
  grid.columns = static_cast<int>(std::ceil((extent.max_x + margin - grid.x0) / s - 1e-9)) + 1;
  grid.rows = static_cast<int>(std::ceil((extent.max_y + margin - grid.y0) / s - 1e-9)) + 1;
  return grid;
}

double grid_node_count(const site::Project& project, std::optional<double> spacing) {
  const GridCover cover = grid_cover(project, spacing);
  const double margin = cover.margin;
  const double s = cover.spacing;
  const double columns = std::ceil((cover.extent.width() + 2.0 * margin) / s) + 2.0;
  const double rows = std::ceil((cover.extent.height() + 2.0 * margin) / s) + 2.0;
  return std::isfinite(columns * rows) ? columns * rows : HUGE_VAL;
}

std::int32_t default_start_layer(const site::Project& project) {
  if (project.points.empty()) return 1;
  int smallest = project.points.front().start_layer;
  for (const site::Point& point : project.points) smallest = std::min(smallest, point.start_layer);
  return smallest;
}

std::vector<float> settlement_on_grid(const site::Project& project, const ClassicProfile& profile,
                                      const PlanGrid& grid, std::int32_t start_layer,
                                      const std::function<void(int, int)>& progress) {
  const std::int32_t start_sublayer = classic_start_sublayer(project, start_layer);
  return settle_rows(
      grid,
      [&](std::span<const float> x, std::span<const float> y, std::span<float> row) {
        settle_places(profile, start_sublayer, x, y, row);
      },
      progress);
}

std::vector<float> settlement_on_grid(const ExactProfile& profile, const PlanGrid& grid,
                                      std::int32_t start_layer,
                                      const std::function<void(int, int)>& progress) {
  const std::size_t first_counted = first_counted_sublayer(profile, start_layer);
  return settle_rows(
      grid,
      [&](std::span<const float> x, std::span<const float> y, std::span<float> row) {
        settle_places(profile, first_counted, x, y, row);
      },
      progress);
}

void settlement_at_places(const site::Project& project, const ClassicProfile& profile,
                          std::span<const float> x, std::span<const float> y,
                          std::int32_t start_layer, std::span<float> total) {
  settle_places(profile, classic_start_sublayer(project, start_layer), x, y, total);
}

void settlement_at_places(const ExactProfile& profile, std::span<const float> x,
                          std::span<const float> y, std::int32_t start_layer,
                          std::span<float> total) {
  settle_places(profile, first_counted_sublayer(profile, start_layer), x, y, total);
}

}  // namespace analysis
