// Differential settlement and angular distortion between neighbouring
// settlement points, and the steepest slope of the settlement map: the
// figures an engineer checks against limits such as 1/500 for framed buildings.
#pragma once

#include <array>
#include <span>
#include <vector>

#include "plot/contours.h"
#include "plot/plan_point.h"

namespace plot {

// The pairs of neighbouring points, as positions in `points`: the edges of
// the Delaunay triangulation of the distinct points; with fewer than three
// distinct points, or all on one line, each point and the next along the
// line. Of points that coincide only the first takes part.
std::vector<std::array<int, 2>> neighbour_pairs(std::span<const PlanPoint> points);

struct DistortionRow {
  std::array<int, 2> pair{};  // positions in the point list, the earlier first
  double distance = 0.0;      // apart in plan, length unit
  double differential = 0.0;  // |s1 - s2|, settlement unit
  double distortion = 0.0;    // the differential over the distance, a pure ratio
  bool beyond_limit = false;  // distortion > the limit
};

// The rows of every neighbouring pair, worst distortion first (then the
// larger differential, then the earlier pair). A pair whose difference is
// not finite has an infinite differential and distortion. `settlements` are in the
// settlement unit, of which `settlement_per_length` make one length unit (12
// inches a foot, 1000 millimetres a metre). REQUIRES: settlements.size() ==
// points.size(), settlement_per_length > 0.
std::vector<DistortionRow> distortion_table(std::span<const PlanPoint> points,
                                            std::span<const double> settlements,
                                            double settlement_per_length, double limit);

// The steepest slope of the settlement surface over the grid: of every cell,
// the gradient from its four corners' settlements (the mean of the
// differences along each side pair), as a pure ratio. Cells with a corner
// whose settlement is not finite take no part.
struct SteepestSlope {
  bool found = false;  // false for a grid of less than one cell
  PlanPoint at;        // the centre of the cell
  double slope = 0.0;
};
SteepestSlope steepest_slope(const ValueGrid& grid, double settlement_per_length);

}  // namespace plot
