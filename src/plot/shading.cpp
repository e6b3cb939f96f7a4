// Cutting triangles into band pieces: the interpolated value is linear over a
// triangle, so the part between two band limits is the triangle clipped by
// two straight lines (Sutherland-Hodgman on the value instead of a position).
#include "plot/shading.h"

#include <cassert>

namespace plot {
namespace {

struct Corner {
  double x, y, value;
};

// The part of `polygon` where value >= limit (keep_above) or value <= limit.
std::vector<Corner> clip(const std::vector<Corner>& polygon, double limit, bool keep_above) {
  std::vector<Corner> out;
  const auto inside = [&](const Corner& c) {
    return keep_above ? c.value >= limit : c.value <= limit;
  };
  for (std::size_t i = 0; i < polygon.size(); ++i) {
    const Corner& a = polygon[i];
    const Corner& b = polygon[(i + 1) % polygon.size()];
    if (inside(a)) out.push_back(a);
    if (inside(a) != inside(b)) {
      const double f = (limit - a.value) / (b.value - a.value);
      out.push_back({a.x + (b.x - a.x) * f, a.y + (b.y - a.y) * f, limit});
    }
  }
  return out;
}

}  // namespace

std::vector<BandPiece> band_pieces(std::span<const PlanPoint> points,
                                   std::span<const double> values,
                                   std::span<const Triangle> triangles, const ColourScale& scale) {
  assert(values.size() == points.size());
  std::vector<BandPiece> pieces;
  for (const Triangle& triangle : triangles) {
    std::vector<Corner> corners;
    for (const int i : triangle) {
      const auto at = static_cast<std::size_t>(i);
      corners.push_back({points[at].x, points[at].y, values[at]});
    }
    for (int band = 0; band < scale.band_count; ++band) {
      // The end bands reach out to hold values past the scale.
      std::vector<Corner> piece = corners;
      if (band > 0) piece = clip(piece, scale.low + scale.step * band, true);
      if (band + 1 < scale.band_count)
        piece = clip(piece, scale.low + scale.step * (band + 1), false);
      if (piece.size() < 3) continue;
      BandPiece out{band, {}};
      for (const Corner& c : piece) out.corners.push_back({c.x, c.y});
      pieces.push_back(std::move(out));
    }
  }
  return pieces;
}

}  // namespace plot
