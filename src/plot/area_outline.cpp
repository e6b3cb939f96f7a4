// Outlines of the loaded areas and where a straight line crosses them.
#include "plot/area_outline.h"

#include <algorithm>
#include <cmath>

namespace plot {
namespace {

// Plan values are stored in single precision; the drawing works in double.
double wide(float value) { return static_cast<double>(value); }

double cross(const PlanPoint& o, const PlanPoint& a, const PlanPoint& b) {
  return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

}  // namespace

AreaOutline area_outline(const problem::LoadedArea& area) {
  AreaOutline outline;
  outline.centre = {wide(area.x), wide(area.y)};
  if (area.shape == problem::kCircle) {
    outline.circle = true;
    outline.radius = std::fabs(wide(area.x_length)) * 0.5;
    return outline;
  }
  // A spread area keeps its sides along the axes; a rectangle turns by its
  // slope s: its X side runs along (1, s) / sqrt(1 + s^2).
  const double s = area.shape == problem::kSpreadArea ? 0.0 : wide(area.area_slope);
  const double c = 1.0 / std::sqrt(1.0 + s * s);
  const double t = s * c;
  const double a = wide(area.x_length) * 0.5;
  const double b = wide(area.y_length) * 0.5;
  for (const auto& [u, v] :
       {std::pair{-a, -b}, std::pair{a, -b}, std::pair{a, b}, std::pair{-a, b}}) {
    outline.corners.push_back({outline.centre.x + u * c - v * t, outline.centre.y + u * t + v * c});
  }
  return outline;
}

std::optional<Stretch> stretch_inside(const AreaOutline& outline, const PlanPoint& a,
                                      const PlanPoint& b) {
  const PlanPoint d{b.x - a.x, b.y - a.y};
  double from = 0.0, to = 1.0;
  if (outline.circle) {
    // |a + t d - centre|^2 = r^2, a quadratic in t.
    const PlanPoint f{a.x - outline.centre.x, a.y - outline.centre.y};
    const double qa = d.x * d.x + d.y * d.y;
    const double qb = 2.0 * (f.x * d.x + f.y * d.y);
    const double qc = f.x * f.x + f.y * f.y - outline.radius * outline.radius;
    const double discriminant = qb * qb - 4.0 * qa * qc;
    if (qa == 0.0 || discriminant <= 0.0) return std::nullopt;
    from = std::max(from, (-qb - std::sqrt(discriminant)) / (2.0 * qa));
    to = std::min(to, (-qb + std::sqrt(discriminant)) / (2.0 * qa));
  } else {
    // Cyrus-Beck: inside every side of the convex outline, whichever way round
    // its corners go (a negative length turns them the other way).
    const auto& corners = outline.corners;
    double twice_area = 0.0;
    for (std::size_t k = 0; k < corners.size(); ++k)
      twice_area += cross({0.0, 0.0}, corners[k], corners[(k + 1) % corners.size()]);
    if (twice_area == 0.0) return std::nullopt;
    const double turn = twice_area > 0.0 ? 1.0 : -1.0;
    for (std::size_t k = 0; k < corners.size(); ++k) {
      const PlanPoint& p = corners[k];
      const PlanPoint& q = corners[(k + 1) % corners.size()];
      // inside(t) = at + t * slope >= 0
      const double at = turn * cross(p, q, a);
      const double slope = turn * ((q.x - p.x) * d.y - (q.y - p.y) * d.x);
      if (slope == 0.0) {
        if (at < 0.0) return std::nullopt;
        continue;
      }
      const double t = -at / slope;
      if (slope > 0.0)
        from = std::max(from, t);
      else
        to = std::min(to, t);
    }
  }
  if (!(to > from)) return std::nullopt;
  return Stretch{from, to};
}

}  // namespace plot
