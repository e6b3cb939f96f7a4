// Each kind draws its own outline.
#include "loads/load_outline.h"

#include <cmath>
#include <numbers>

namespace loads {
namespace {

// A circle as 64 chords, with vertices on the axes through its centre so that
// the outline's extent is the circle's.
Outline circle_outline(double x, double y, double radius) {
  Outline outline;
  constexpr int kChords = 64;
  for (int i = 0; i < kChords; ++i) {
    const double angle = 2.0 * std::numbers::pi * i / kChords;
    double c = std::cos(angle);
    double s = std::sin(angle);
    if (i % (kChords / 4) == 0) {
      c = std::round(c);
      s = std::round(s);
    }
    outline.ring.push_back({x + radius * c, y + radius * s});
  }
  return outline;
}

// The corners of a rectangle centred at (x, y), half sides a and b, its X side
// turned so that its direction is (c, t).
Outline box_outline(double x, double y, double a, double b, double c, double t) {
  Outline outline;
  for (const auto& [u, v] : {std::pair{-a, -b}, {a, -b}, {a, b}, {-a, b}})
    outline.ring.push_back({x + u * c - v * t, y + u * t + v * c});
  return outline;
}

Outline outline(const Rectangle& r) {
  double c = 1.0;
  double t = 0.0;
  if (r.slope) {
    c = 1.0 / std::sqrt(1.0 + *r.slope * *r.slope);
    t = *r.slope * c;
  } else {
    const double angle = r.angle * std::numbers::pi / 180.0;
    c = std::cos(angle);
    t = std::sin(angle);
  }
  return box_outline(r.x, r.y, std::fabs(r.x_length) * 0.5, std::fabs(r.y_length) * 0.5, c, t);
}

Outline outline(const Circle& c) { return circle_outline(c.x, c.y, std::fabs(c.diameter) * 0.5); }

Outline outline(const SpreadArea& s) {
  return box_outline(s.x, s.y, std::fabs(s.x_length) * 0.5, std::fabs(s.y_length) * 0.5, 1.0,
                     0.0);
}

Outline outline(const Polygon& p) {
  Outline outline;
  outline.ring = p.vertices;
  return outline;
}

// A stretch of the strip six widths long, standing for all of it.
Outline outline(const Strip& s) {
  const double angle = s.angle * std::numbers::pi / 180.0;
  Outline drawn = box_outline(s.x, s.y, 3.0 * s.width, s.width * 0.5, std::cos(angle),
                              std::sin(angle));
  drawn.unbounded = true;
  return drawn;
}

Outline outline(const Embankment& e) {
  const double dx = e.x2 - e.x1;
  const double dy = e.y2 - e.y1;
  const double length = std::hypot(dx, dy);
  const double c = length > 0.0 ? dx / length : 1.0;
  const double t = length > 0.0 ? dy / length : 0.0;
  const double half_crest = e.crest_width * 0.5;
  const double half_base = half_crest + e.side_slope * e.height;
  Outline drawn = box_outline((e.x1 + e.x2) * 0.5, (e.y1 + e.y2) * 0.5, length * 0.5,
                              half_base, c, t);
  for (const double v : {-half_crest, half_crest}) {
    drawn.lines.push_back(
        {{e.x1 - v * t, e.y1 + v * c}, {e.x2 - v * t, e.y2 + v * c}});
  }
  return drawn;
}

}  // namespace

Outline outline_of(const Load& load) {
  return std::visit([](const auto& kind) { return outline(kind); }, load);
}

}  // namespace loads
