// Drawing the loads of a site project, one kind at a time.
#include "plot/load_drawing.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace plot {
namespace {

std::vector<PlanPoint> ring_of(const loads::Outline& outline) {
  std::vector<PlanPoint> ring;
  for (const loads::PlanPoint& p : outline.ring) ring.push_back({p.x, p.y});
  return ring;
}

std::string pixel_points(const PlanFrame& frame, const std::vector<PlanPoint>& points) {
  std::string text;
  for (const PlanPoint& p : points) {
    if (!text.empty()) text += ' ';
    text += px(frame.px_x(p.x)) + "," + px(frame.px_y(p.y));
  }
  return text;
}

// A strip runs on without end: its band across the whole box, the centre
// line's stretch reaching past every corner.
std::vector<PlanPoint> strip_band(const loads::Strip& strip, const PlanBox& box) {
  const double angle = strip.angle * std::numbers::pi / 180.0;
  const double ux = std::cos(angle), uy = std::sin(angle);
  const double half = std::fabs(strip.width) / 2.0;
  const double reach =
      std::hypot(box.max_x - box.min_x, box.max_y - box.min_y) +
      std::hypot(strip.x - (box.min_x + box.max_x) / 2.0, strip.y - (box.min_y + box.max_y) / 2.0);
  std::vector<PlanPoint> ring;
  for (const auto& [along, across] : {std::pair{-reach, -half}, std::pair{reach, -half},
                                      std::pair{reach, half}, std::pair{-reach, half}}) {
    ring.push_back({strip.x + along * ux - across * uy, strip.y + along * uy + across * ux});
  }
  return ring;
}

double cross(const PlanPoint& o, const PlanPoint& a, const PlanPoint& b) {
  return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

// Even-odd rule; the ring is simple, so it is the same as nonzero.
bool inside_ring(const std::vector<PlanPoint>& ring, const PlanPoint& p) {
  bool inside = false;
  for (std::size_t k = 0, n = ring.size(); k < n; ++k) {
    const PlanPoint& a = ring[k];
    const PlanPoint& b = ring[(k + 1) % n];
    if ((a.y > p.y) != (b.y > p.y) && p.x < a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y))
      inside = !inside;
  }
  return inside;
}

std::string number_text(double value, int decimals) {
  return decimal(static_cast<float>(value), decimals);
}

}  // namespace

std::string load_label(const loads::Load& load, std::size_t position) {
  const auto& name = std::visit(
      [](const auto& kind) -> const auto& { return kind.name; }, load);
  return name ? *name : "L" + std::to_string(position);
}

std::string load_description(const loads::Load& load, const UnitNames& units) {
  const std::string pressure(units.pressure);
  return std::visit(loads::Overloaded{
                        [&](const loads::Rectangle& r) {
                          return "rectangle, " + number_text(r.pressure, 3) + " " + pressure;
                        },
                        [&](const loads::Circle& c) {
                          return "circle, " + number_text(c.pressure, 3) + " " + pressure;
                        },
                        [&](const loads::SpreadArea& s) {
                          return "spread area, total load " + number_text(s.load, 3) + " " +
                                 std::string(units.force);
                        },
                        [&](const loads::Polygon& p) {
                          return "polygon, " + number_text(p.pressure, 3) + " " + pressure;
                        },
                        [&](const loads::Strip& s) {
                          return "strip, " + number_text(s.pressure, 3) + " " + pressure;
                        },
                        [&](const loads::Embankment& e) {
                          return "embankment " + number_text(e.height, 2) + " " +
                                 std::string(units.length) + " high, fill of " +
                                 number_text(e.unit_weight, 2) + " unit weight";
                        },
                    },
                    load);
}

std::vector<PlanPoint> clipped_to_box(const std::vector<PlanPoint>& ring, const PlanBox& box) {
  std::vector<PlanPoint> points = ring;
  // Each side of the box in turn: keep what lies on its inner side.
  const auto clip = [&](auto inside, auto cut) {
    std::vector<PlanPoint> kept;
    for (std::size_t k = 0, n = points.size(); k < n; ++k) {
      const PlanPoint& a = points[k];
      const PlanPoint& b = points[(k + 1) % n];
      if (inside(a)) kept.push_back(a);
      if (inside(a) != inside(b)) kept.push_back(cut(a, b));
    }
    points = std::move(kept);
  };
  const auto at_x = [](double x) {
    return [x](const PlanPoint& a, const PlanPoint& b) {
      return PlanPoint{x, a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x)};
    };
  };
  const auto at_y = [](double y) {
    return [y](const PlanPoint& a, const PlanPoint& b) {
      return PlanPoint{a.x + (b.x - a.x) * (y - a.y) / (b.y - a.y), y};
    };
  };
  clip([&](const PlanPoint& p) { return p.x >= box.min_x; }, at_x(box.min_x));
  clip([&](const PlanPoint& p) { return p.x <= box.max_x; }, at_x(box.max_x));
  clip([&](const PlanPoint& p) { return p.y >= box.min_y; }, at_y(box.min_y));
  clip([&](const PlanPoint& p) { return p.y <= box.max_y; }, at_y(box.max_y));
  if (points.size() < 3) points.clear();
  return points;
}

std::vector<PlanPoint> drawn_ring(const loads::Load& load, const PlanBox& world) {
  const std::vector<PlanPoint> ring =
      std::visit(loads::Overloaded{
                     [&](const loads::Strip& strip) { return strip_band(strip, world); },
                     [&](const auto& kind) { return ring_of(loads::plan_outline(kind)); },
                 },
                 load);
  return clipped_to_box(ring, world);
}

std::vector<Stretch> stretches_inside(const std::vector<PlanPoint>& ring, const PlanPoint& a,
                                      const PlanPoint& b) {
  std::vector<double> cuts = {0.0, 1.0};
  const PlanPoint d{b.x - a.x, b.y - a.y};
  for (std::size_t k = 0, n = ring.size(); k < n; ++k) {
    const PlanPoint& p = ring[k];
    const PlanPoint& q = ring[(k + 1) % n];
    const double denominator = d.x * (q.y - p.y) - d.y * (q.x - p.x);
    if (denominator == 0.0) continue;
    const double t = cross(p, q, a) / denominator;
    const double s = ((p.x - a.x) * d.y - (p.y - a.y) * d.x) / denominator;
    if (t > 0.0 && t < 1.0 && s >= 0.0 && s <= 1.0) cuts.push_back(t);
  }
  std::sort(cuts.begin(), cuts.end());
  std::vector<Stretch> stretches;
  for (std::size_t k = 0; k + 1 < cuts.size(); ++k) {
    const double from = cuts[k], to = cuts[k + 1];
    if (!(to > from)) continue;
    const double middle = (from + to) / 2.0;
    if (!inside_ring(ring, {a.x + d.x * middle, a.y + d.y * middle})) continue;
    if (!stretches.empty() && stretches.back().to == from)
      stretches.back().to = to;
    else
      stretches.push_back({from, to});
  }
  return stretches;
}

void write_plan_load(XmlWriter& out, const PlanFrame& frame, const loads::Load& load,
                     const std::string& label, const UnitNames& units) {
  const std::vector<PlanPoint> ring = drawn_ring(load, frame.world);
  const std::string_view kind = std::visit([](const auto& k) { return k.kKind; }, load);
  out.open("g", {{"class", "load " + std::string(kind)}, {"data-load", label}});
  out.element("title", {}, label + ": " + load_description(load, units));
  const auto outline = [&](std::string_view dashes, std::string_view fill) {
    if (ring.empty()) return;
    out.empty("polygon", {{"class", "outline"},
                          {"points", pixel_points(frame, ring)},
                          {"fill", std::string(fill)},
                          {"stroke", "#000000"},
                          {"stroke-width", "1.2"},
                          {"stroke-dasharray", std::string(dashes)}});
  };
  std::visit(loads::Overloaded{
                 [&](const loads::Rectangle&) { outline("none", "#000000"); },
                 [&](const loads::Polygon&) { outline("none", "#000000"); },
                 [&](const loads::SpreadArea&) { outline("5 3", "none"); },
                 [&](const loads::Strip&) {
                   // Open at both ends of the map: the strip runs on past them.
                   outline("none", "#000000");
                 },
                 [&](const loads::Circle& circle) {
                   out.empty("circle", {{"class", "outline"},
                                        {"cx", px(frame.px_x(circle.x))},
                                        {"cy", px(frame.px_y(circle.y))},
                                        {"r", px(std::fabs(circle.diameter) / 2.0 * frame.scale)},
                                        {"stroke", "#000000"},
                                        {"stroke-width", "1.2"}});
                 },
                 [&](const loads::Embankment& embankment) {
                   outline("none", "#000000");
                   for (const auto& line : loads::plan_outline(embankment).lines) {
                     std::vector<PlanPoint> crest;
                     for (const loads::PlanPoint& p : line) crest.push_back({p.x, p.y});
                     out.empty("polyline", {{"class", "crest"},
                                            {"points", pixel_points(frame, crest)},
                                            {"fill", "none"},
                                            {"stroke", "#000000"},
                                            {"stroke-width", "1.6"}});
                   }
                 },
             },
             load);
  out.close();
}

}  // namespace plot
