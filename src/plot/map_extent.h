// The part of the plan the settlement map covers: the loaded areas and the
// points with a margin, shaped like the plan's frame and grown until the
// contours nearest zero settlement close inside it; or the box --extent sets.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "analysis/classic_profile.h"
#include "analysis/settlement_grid.h"
#include "plot/plot_options.h"
#include "problem/problem_data.h"
#include "site/project.h"

namespace plot {

// The plot area of the plan's drawing, in pixels: the map box is given its
// shape, so that the map fills the frame and the frame its printed page.
inline constexpr double kFrameWidth = 680.0, kFrameHeight = 540.0;

// The box first drawn: --extent as given, else the plan's extent with a
// margin of a fifth of its longer side on every side, widened in x or in y to
// the frame's shape.
analysis::PlanExtent first_map_box(const site::Project& project,
                                   const std::optional<ExtentBox>& extent);

// A round spacing (1, 2, 2.5 or 5 times a power of ten) that puts about 80
// cells along the longer side of `box`.
double default_grid_spacing(const analysis::PlanExtent& box);

// The nodes on multiples of `spacing` that cover `box`.
// REQUIRES: spacing > 0, the box's sides finite.
analysis::PlanGrid grid_over(const analysis::PlanExtent& box, double spacing);

// The levels of the map for values from `smallest` to `largest` (settlement
// unit): as the options set them, else the round ones of the colour scale.
using LevelRule = std::function<std::vector<double>(double smallest, double largest)>;

// True when no node on the grid's border lies on or beyond the levels next to
// zero (the smallest above it, the largest below it): the lines of those
// levels then close inside the grid. Nodes whose total is not finite are left out.
// REQUIRES: totals.size() == grid.node_count().
bool contours_near_zero_close(const analysis::PlanGrid& grid, std::span<const float> totals,
                              std::span<const double> levels);

// The map's box and grid with the totals of its nodes.
struct MapCover {
  analysis::PlanExtent box;
  analysis::PlanGrid grid;
  std::vector<float> totals;
  bool chosen = false;  // the box is --extent's
  int growths = 0;      // times the box was grown beyond the first
  bool closed = true;   // the contours next to zero close inside the box
};

// Grows the first box by half its size, a quarter on each side, until a
// coarse grid over it shows the contours next to zero closed (four times at
// most, and never past the most nodes at `spacing`), then computes the grid
// at `spacing` (else the default for the box found). `point_totals` count in
// the levels as they do on the page. REQUIRES: the problem is analysed.
MapCover cover_map(const site::Project& project, const analysis::ClassicProfile& profile,
                   const std::optional<ExtentBox>& extent, std::optional<double> spacing,
                   std::int32_t start_layer, std::span<const double> point_totals,
                   const LevelRule& levels, const std::function<void(int, int)>& progress);

// The totals of a grid's nodes by one method, row by row, calling `progress`
// after each row.
using GridTotals = std::function<std::vector<float>(const analysis::PlanGrid& grid,
                                                    const std::function<void(int, int)>& progress)>;

// As above, the nodes' totals by `totals` (a site project by its method).
MapCover cover_map(const site::Project& project, const GridTotals& totals,
                   const std::optional<ExtentBox>& extent, std::optional<double> spacing,
                   std::span<const double> point_totals, const LevelRule& levels,
                   const std::function<void(int, int)>& progress);

}  // namespace plot
