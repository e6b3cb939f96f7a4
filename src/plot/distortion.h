// Differential settlement and angular distortion between neighbouring
// settlement points of one structure counted from one start layer: the
// figures an engineer checks against limits such as 1/500 for framed buildings.
#pragma once

#include <array>
#include <span>
#include <vector>

#include "plot/page_point.h"
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

// The rows of the neighbouring pairs within each group of points of one
// structure and one start layer (a difference between points counted from
// different layers, or of different structures, means nothing), ordered as
// distortion_table orders them; `pair` holds positions in `points`. Points of
// no structure take no part. REQUIRES: settlement_per_length > 0.
std::vector<DistortionRow> distortion_by_structure(std::span<const PagePoint> points,
                                                   double settlement_per_length, double limit);

}  // namespace plot
