// The Delaunay triangulation of the settlement points in plan, whose edges
// join the neighbouring points compared for differential settlement.
#pragma once

#include <array>
#include <span>
#include <vector>

#include "plot/plan_point.h"

namespace plot {

// Three positions in the point list.
using Triangle = std::array<int, 3>;

// The triangles of the Delaunay triangulation of `points` (four or more
// points on one circle are split into a fan). Of points that coincide, only
// the first in the list takes part. Fewer than three distinct points, or all
// on one line, give no triangle.
std::vector<Triangle> delaunay_triangles(std::span<const PlanPoint> points);

}  // namespace plot
