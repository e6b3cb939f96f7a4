// The settlement basin: the plan between the points cut into the pieces where
// the settlement, interpolated linearly over each triangle, lies in one band.
#pragma once

#include <span>
#include <vector>

#include "plot/colour_scale.h"
#include "plot/triangulation.h"

namespace plot {

struct BandPiece {
  int band = 0;
  std::vector<PlanPoint> corners;  // a convex polygon
};

// The band pieces of every triangle; `values` holds one settlement per point.
// REQUIRES: values.size() == points.size().
std::vector<BandPiece> band_pieces(std::span<const PlanPoint> points,
                                   std::span<const double> values,
                                   std::span<const Triangle> triangles, const ColourScale& scale);

}  // namespace plot
