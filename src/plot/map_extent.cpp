// Finding the map's box: the plan with a margin, shaped like the frame, grown
// until the settlement basin's outer contours close inside it.
#include "plot/map_extent.h"

#include <algorithm>
#include <cmath>

#include "plot/colour_scale.h"

namespace plot {
namespace {

constexpr double kMarginPerSide = 0.2;
constexpr double kCellsAlongLongerSide = 80.0;
// The search grid is a third as fine: its outer ring of nodes tells whether
// the outer contours close, at a ninth of the work.
constexpr double kSearchCoarseness = 3.0;
constexpr int kMostGrowths = 4;

// Widened about its centre to the frame's shape.
analysis::PlanExtent frame_shaped(analysis::PlanExtent box) {
  const double aspect = kFrameWidth / kFrameHeight;
  const double width = std::max(box.width(), 1e-9), height = std::max(box.height(), 1e-9);
  if (width / height < aspect) {
    const double grow = (height * aspect - width) / 2.0;
    box.min_x -= grow;
    box.max_x += grow;
  } else {
    const double grow = (width / aspect - height) / 2.0;
    box.min_y -= grow;
    box.max_y += grow;
  }
  return box;
}

analysis::PlanExtent grown(const analysis::PlanExtent& box) {
  const double dx = box.width() / 4.0, dy = box.height() / 4.0;
  return {box.min_x - dx, box.max_x + dx, box.min_y - dy, box.max_y + dy};
}

std::vector<double> levels_of(const LevelRule& levels, std::span<const float> totals,
                              std::span<const double> point_totals) {
  double smallest = 0.0, largest = 0.0;
  const auto cover = [&](double value) {
    if (!std::isfinite(value)) return;
    smallest = std::min(smallest, value);
    largest = std::max(largest, value);
  };
  for (const float total : totals) cover(static_cast<double>(total));
  for (const double total : point_totals) cover(total);
  return levels(smallest, largest);
}

}  // namespace

analysis::PlanExtent first_map_box(const site::Project& project,
                                   const std::optional<ExtentBox>& extent) {
  if (extent) return {extent->x1, extent->x2, extent->y1, extent->y2};
  analysis::PlanExtent box = analysis::plan_extent(project);
  const double margin = kMarginPerSide * std::max({box.width(), box.height(), 1.0});
  box = {box.min_x - margin, box.max_x + margin, box.min_y - margin, box.max_y + margin};
  return frame_shaped(box);
}

double default_grid_spacing(const analysis::PlanExtent& box) {
  return round_step(std::max({box.width(), box.height(), 1e-6}), kCellsAlongLongerSide);
}

analysis::PlanGrid grid_over(const analysis::PlanExtent& box, double spacing) {
  analysis::PlanGrid grid;
  grid.spacing = spacing;
  grid.x0 = std::floor(box.min_x / spacing + 1e-9) * spacing;
  grid.y0 = std::floor(box.min_y / spacing + 1e-9) * spacing;
  grid.columns = static_cast<int>(std::ceil((box.max_x - grid.x0) / spacing - 1e-9)) + 1;
  grid.rows = static_cast<int>(std::ceil((box.max_y - grid.y0) / spacing - 1e-9)) + 1;
  return grid;
}

bool contours_near_zero_close(const analysis::PlanGrid& grid, std::span<const float> totals,
                              std::span<const double> levels) {
  double above = HUGE_VAL, below = -HUGE_VAL;
  for (const double level : levels) {
    if (level > 0.0) above = std::min(above, level);
    if (level < 0.0) below = std::max(below, level);
  }
  const auto inside = [&](int i, int j) {
    const double value = static_cast<double>(
        totals[static_cast<std::size_t>(j) * static_cast<std::size_t>(grid.columns) +
               static_cast<std::size_t>(i)]);
    return !std::isfinite(value) || (value < above && value > below);
  };
  for (int i = 0; i < grid.columns; ++i) {
    if (!inside(i, 0) || !inside(i, grid.rows - 1)) return false;
  }
  for (int j = 0; j < grid.rows; ++j) {
    if (!inside(0, j) || !inside(grid.columns - 1, j)) return false;
  }
  return true;
}

MapCover cover_map(const site::Project& project, const analysis::ClassicProfile& profile,
                   const std::optional<ExtentBox>& extent, std::optional<double> spacing,
                   std::int32_t start_layer, std::span<const double> point_totals,
                   const LevelRule& levels, const std::function<void(int, int)>& progress) {
  const GridTotals totals = [&](const analysis::PlanGrid& grid,
                                const std::function<void(int, int)>& rows_done) {
    return analysis::settlement_on_grid(project, profile, grid, start_layer, rows_done);
  };
  return cover_map(project, totals, extent, spacing, point_totals, levels, progress);
}

MapCover cover_map(const site::Project& project, const GridTotals& grid_totals,
                   const std::optional<ExtentBox>& extent, std::optional<double> spacing,
                   std::span<const double> point_totals, const LevelRule& levels,
                   const std::function<void(int, int)>& progress) {
  MapCover cover;
  cover.chosen = extent.has_value();
  cover.box = first_map_box(project, extent);
  if (!cover.chosen) {
    for (;; ++cover.growths) {
      const analysis::PlanGrid search =
          grid_over(cover.box, default_grid_spacing(cover.box) * kSearchCoarseness);
      const std::vector<float> totals = grid_totals(search, {});
      if (contours_near_zero_close(search, totals, levels_of(levels, totals, point_totals))) break;
      const analysis::PlanExtent next = grown(cover.box);
      if (cover.growths == kMostGrowths ||
          (spacing &&
           static_cast<double>(grid_over(next, *spacing).node_count()) > analysis::kMaxGridNodes)) {
        break;
      }
      cover.box = next;
    }
  }
  cover.grid = grid_over(cover.box, spacing.value_or(default_grid_spacing(cover.box)));
  cover.totals = grid_totals(cover.grid, progress);
  cover.closed = contours_near_zero_close(cover.grid, cover.totals,
                                          levels_of(levels, cover.totals, point_totals));
  return cover;
}

}  // namespace plot
