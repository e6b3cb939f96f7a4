// Settlement on a regular grid over the plan: every node analysed exactly as
// a settlement point is (same sublayers, curves, stress formulas and
// averaging), keeping nothing of a node but its total.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "analysis/classic_profile.h"
#include "analysis/exact_profile.h"
#include "site/project.h"

namespace analysis {

// The nodes x0 + i * spacing (i = 0..columns - 1) by y0 + j * spacing
// (j = 0..rows - 1), each coordinate held in single precision like a point's.
struct PlanGrid {
  double x0 = 0.0;
  double y0 = 0.0;
  double spacing = 1.0;
  int columns = 0;
  int rows = 0;

  float x(int i) const { return static_cast<float>(x0 + spacing * i); }
  float y(int j) const { return static_cast<float>(y0 + spacing * j); }
  long long node_count() const { return static_cast<long long>(columns) * rows; }
};

// The plan extent of the loads' outlines and of the points.
struct PlanExtent {
  double min_x = 0.0, max_x = 0.0, min_y = 0.0, max_y = 0.0;
  double width() const { return max_x - min_x; }
  double height() const { return max_y - min_y; }
};
PlanExtent plan_extent(const site::Project& project);

// The grid over the plan extent with a margin of a fifth of its longer side
// on every side, nodes on multiples of the spacing. Without `spacing`, a
// round spacing (1, 2, 2.5 or 5 times a power of ten) that gives about 80
// cells along the longer side. REQUIRES: spacing, when given, > 0.
PlanGrid plan_grid(const site::Project& project, std::optional<double> spacing = std::nullopt);

// The most nodes a grid may have: a million totals, minutes of work.
constexpr double kMaxGridNodes = 1.0e6;

// The nodes plan_grid would give, counted without forming them, so that a
// spacing too fine for the plan can be refused first (a count past the int
// range included). REQUIRES: spacing, when given, > 0.
double grid_node_count(const site::Project& project, std::optional<double> spacing = std::nullopt);

// The start layer of a node when none is chosen: the smallest start layer
// among the settlement points, as given (1 without points).
std::int32_t default_start_layer(const site::Project& project);

// The total settlement at every node, row by row from y0 up, each row from x0
// rightward, with settlement starting at `start_layer` (the start sublayer of
// a point with that start layer). The nodes of a row are shared over the
// cores; `progress`, when given, is called on the calling thread after each
// row with the rows done and the rows in all.
std::vector<float> settlement_on_grid(const site::Project& project, const ClassicProfile& profile,
                                      const PlanGrid& grid, std::int32_t start_layer,
                                      const std::function<void(int, int)>& progress = {});

// The same by the exact method: every node analysed as exact_settlement_at
// does at the node's single-precision coordinates, counted from the first
// sublayer of `start_layer`, held in single precision; not a number where a
// point there would be stopped. Shared over the cores row by row, as above.
std::vector<float> settlement_on_grid(const ExactProfile& profile, const PlanGrid& grid,
                                      std::int32_t start_layer,
                                      const std::function<void(int, int)>& progress = {});

// The total settlement at each place (x[k], y[k]) into total[k], each
// analysed exactly as a grid node, with settlement starting at `start_layer`;
// the places are shared over the cores.
// REQUIRES: x, y and total of one size.
void settlement_at_places(const site::Project& project, const ClassicProfile& profile,
                          std::span<const float> x, std::span<const float> y,
                          std::int32_t start_layer, std::span<float> total);
void settlement_at_places(const ExactProfile& profile, std::span<const float> x,
                          std::span<const float> y, std::int32_t start_layer,
                          std::span<float> total);

}  // namespace analysis
