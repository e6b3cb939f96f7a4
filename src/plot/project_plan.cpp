// Drawing a site project's plan, bottom layer first: the bands, the
// coordinate lines, the contours, the loads, the flagged pairs, the section's
// line, the points; then the labels, and the key in the panel at the right.
#include "plot/project_plan.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "plot/colour_scale.h"
#include "plot/label_placer.h"
#include "plot/load_drawing.h"
#include "plot/map_extent.h"
#include "plot/map_legend.h"
#include "plot/plan_frame.h"
#include "plot/plan_label_layout.h"
#include "plot/plan_view.h"

namespace plot {
namespace {

// As the archived problem's plan: the frame at the left, the key at the right.
constexpr double kWidth = 1000.0, kHeight = 600.0;
constexpr double kLeft = 60.0, kTop = 14.0;
constexpr double kPanelLeft = 778.0;

PlanBox world_box(const SettlementMap& map) {
  if (map.has_grid) {
    const ValueGrid& g = map.grid;
    return {g.x0, g.x0 + g.spacing * (g.columns - 1), g.y0, g.y0 + g.spacing * (g.rows - 1)};
  }
  const analysis::PlanExtent& extent = map.extent;
  const double pad = std::max({extent.width(), extent.height(), 1.0}) * 0.06;
  return {extent.min_x - pad, extent.max_x + pad, extent.min_y - pad, extent.max_y + pad};
}

// The centre of a ring's area (its first corner for a ring of no area).
PlanPoint centroid(const std::vector<PlanPoint>& ring) {
  double area = 0.0, cx = 0.0, cy = 0.0;
  for (std::size_t k = 0, n = ring.size(); k < n; ++k) {
    const PlanPoint& a = ring[k];
    const PlanPoint& b = ring[(k + 1) % n];
    const double w = a.x * b.y - b.x * a.y;
    area += w;
    cx += (a.x + b.x) * w;
    cy += (a.y + b.y) * w;
  }
  if (std::fabs(area) < 1e-12) return ring.empty() ? PlanPoint{} : ring.front();
  return {cx / (3.0 * area), cy / (3.0 * area)};
}

// A label in bold on a white halo, so that it reads over bands and lines.
void write_label(XmlWriter& out, std::string_view css_class, const Box& box,
                 const std::string& text, double size, bool bold) {
  out.element("text",
              {{"class", std::string(css_class)},
               {"x", px((box.left + box.right) / 2)},
               {"y", px(box.bottom - kDescent * size)},
               {"text-anchor", "middle"},
               {"font-size", px(size)},
               {"font-weight", bold ? "bold" : "normal"},
               {"stroke", "#ffffff"},
               {"stroke-width", "3"},
               {"stroke-linejoin", "round"},
               {"paint-order", "stroke"}},
              text);
}

void write_flagged_pairs(XmlWriter& out, const PlanFrame& frame, const ProjectPageInput& input,
                         const SettlementMap& map) {
  out.open("g", {{"class", "distortion"},
                 {"stroke", kFlaggedPairColour},
                 {"stroke-width", "4"},
                 {"stroke-linecap", "round"},
                 {"stroke-opacity", "0.85"}});
  for (const DistortionRow& row : map.distortion) {
    if (!row.beyond_limit) continue;
    const PagePoint& a = map.points[static_cast<std::size_t>(row.pair[0])];
    const PagePoint& b = map.points[static_cast<std::size_t>(row.pair[1])];
    const std::string first = point_label(*input.project, static_cast<std::size_t>(row.pair[0]));
    const std::string second = point_label(*input.project, static_cast<std::size_t>(row.pair[1]));
    out.open("g", {{"class", "flagged-pair"}, {"data-pair", first + "-" + second}});
    out.element("title", {},
                first + " to " + second + ": angular distortion " + one_over_text(row.distortion));
    out.empty("line", {{"x1", px(frame.px_x(a.at.x))},
                       {"y1", px(frame.px_y(a.at.y))},
                       {"x2", px(frame.px_x(b.at.x))},
                       {"y2", px(frame.px_y(b.at.y))}});
    out.close();
  }
  out.close();
}

// The key: what the colours, lines and marks are, and the title lines.
void write_key(XmlWriter& out, const ProjectPageInput& input, const SettlementMap& map) {
  const UnitNames units = project_units(*input.project);
  out.open("g", {{"class", "key"}});
  double y = kTop + 14;
  for (const std::string& line : input.project->title) {
    out.element("text", {{"x", px(kPanelLeft)}, {"y", px(y)}, {"font-weight", "bold"}}, line);
    y += 16;
  }
  y += 8;
  out.element("text", {{"x", px(kPanelLeft)}, {"y", px(y)}},
              "Total settlement (" + std::string(units.settlement) + ")");
  y += 8;
  // The bands top down, largest first, each with its lower limit.
  const int bands = map.scale.band_count;
  const double band_height = std::clamp(300.0 / std::max(bands, 1), 8.0, 22.0);
  const int decimals = scale_decimals(map.scale);
  for (int band = bands - 1; band >= 0; --band) {
    const double top = y + band_height * (bands - 1 - band);
    out.empty("rect", {{"class", "key-band"},
                       {"x", px(kPanelLeft)},
                       {"y", px(top)},
                       {"width", "26"},
                       {"height", px(band_height)},
                       {"fill", band_colour(map.scale, band)},
                       {"stroke", "#000000"},
                       {"stroke-width", "0.5"}});
    out.element("text", {{"x", px(kPanelLeft + 32)}, {"y", px(top + band_height + 4)}},
                decimal(static_cast<float>(map.scale.limit(band)), decimals));
  }
  out.element("text", {{"x", px(kPanelLeft + 32)}, {"y", px(y + 4)}},
              decimal(static_cast<float>(map.scale.high()), decimals));
  y += band_height * bands + 28;
  const auto item = [&](const std::string& text) {
    out.element("text", {{"x", px(kPanelLeft + 32)}, {"y", px(y + 4)}}, text);
    y += 20;
  };
  out.empty("circle", {{"cx", px(kPanelLeft + 13)},
                       {"cy", px(y)},
                       {"r", px(kPointMarkRadius)},
                       {"fill", "#ffffff"},
                       {"stroke", "#000000"},
                       {"stroke-width", "2"}});
  item("settlement point");
  out.empty("rect", {{"x", px(kPanelLeft + 2)},
                     {"y", px(y - 6)},
                     {"width", "22"},
                     {"height", "12"},
                     {"fill", "#000000"},
                     {"fill-opacity", "0.08"},
                     {"stroke", "#000000"},
                     {"stroke-width", "1.2"}});
  item("load, from its plan outline");
  out.empty("line", {{"x1", px(kPanelLeft + 2)},
                     {"y1", px(y)},
                     {"x2", px(kPanelLeft + 24)},
                     {"y2", px(y)},
                     {"stroke", kSectionColour},
                     {"stroke-width", "1.6"},
                     {"stroke-dasharray", "8 4"}});
  item("section A\u2013A\u2032");
  out.empty("line", {{"x1", px(kPanelLeft + 2)},
                     {"y1", px(y)},
                     {"x2", px(kPanelLeft + 24)},
                     {"y2", px(y)},
                     {"stroke", kFlaggedPairColour},
                     {"stroke-width", "4"}});
  item("distortion beyond " + input.distortion_limit_text);
  y += 6;
  out.element(
      "text", {{"x", px(kPanelLeft)}, {"y", px(y)}, {"class", "method"}},
      "Method: " + std::string(site::name_of(site::kMethodNames, input.project->analysis.method)));
  y += 16;
  out.element("text", {{"x", px(kPanelLeft)}, {"y", px(y)}},
              "Map from layer " + std::to_string(map.start_layer) + ", grid " +
                  decimal(static_cast<float>(map.grid.spacing), 2) + " " +
                  std::string(units.length));
  out.close();
}

}  // namespace

void write_project_plan(XmlWriter& out, const ProjectPageInput& input, const SettlementMap& map) {
  const site::Project& project = *input.project;
  const UnitNames units = project_units(project);
  const PlanFrame frame = fit_frame(world_box(map), kLeft, kTop, kFrameWidth, kFrameHeight);
  out.open("svg", {{"xmlns", "http://www.w3.org/2000/svg"},
                   {"class", "plan settlement-map"},
                   {"width", px(kWidth)},
                   {"height", px(kHeight)},
                   {"viewBox", "0 0 " + px(kWidth) + " " + px(kHeight)},
                   {"font-family", "Helvetica, Arial, 'Liberation Sans', sans-serif"},
                   {"font-size", "12"}});
  out.element("title", {}, "Plan view: settlement map, loads and settlement points");
  if (map.has_grid) write_bands(out, frame, map);
  write_axes(out, frame, units.length);
  if (map.has_grid) write_contours(out, frame, map);
  out.open("g", {{"class", "loads"}, {"fill", "#000000"}, {"fill-opacity", "0.04"}});
  for (std::size_t k = 0; k < project.loads.size(); ++k)
    write_plan_load(out, frame, project.loads[k], load_label(project.loads[k], k + 1), units);
  out.close();
  write_flagged_pairs(out, frame, input, map);

  LabelSpace space;
  space.frame = frame.pixels();
  if (map.section) {
    const SectionLine& line = *map.section;
    const std::vector<Stretch> inside = stretches_inside({{frame.world.min_x, frame.world.min_y},
                                                          {frame.world.max_x, frame.world.min_y},
                                                          {frame.world.max_x, frame.world.max_y},
                                                          {frame.world.min_x, frame.world.max_y}},
                                                         {line.x1, line.y1}, {line.x2, line.y2});
    if (!inside.empty()) {
      const auto along = [&](double f, bool y) {
        return y ? frame.px_y(line.y1 + (line.y2 - line.y1) * f)
                 : frame.px_x(line.x1 + (line.x2 - line.x1) * f);
      };
      const double from = inside.front().from, to = inside.back().to;
      out.empty("line", {{"class", "section-line"},
                         {"x1", px(along(from, false))},
                         {"y1", px(along(from, true))},
                         {"x2", px(along(to, false))},
                         {"y2", px(along(to, true))},
                         {"stroke", kSectionColour},
                         {"stroke-width", "1.6"},
                         {"stroke-dasharray", "8 4"}});
      for (const auto& [name, f] : {std::pair{"A", from}, std::pair{"A\u2032", to}}) {
        const double x = along(f, false), y = along(f, true);
        const double w = text_width(name, 14.0, true);
        const std::vector<Box> places = around_mark(x, y, 2.0, 3.0, w, 14.0 * kLineHeight);
        if (const auto box = place_label(space, places))
          write_label(out, "section-end", *box, name, 14.0, true);
      }
    }
  }
  // The points' marks, in their band's colour; their boxes kept clear.
  out.open("g", {{"class", "points"}});
  for (std::size_t j = 0; j < map.points.size(); ++j) {
    const PagePoint& point = map.points[j];
    const double x = frame.px_x(point.at.x), y = frame.px_y(point.at.y);
    out.open("g", {{"class", "point"}, {"data-position", std::to_string(j + 1)}});
    out.element("title", {},
                point_label(project, j) + " at (" + decimal(static_cast<float>(point.at.x), 2) +
                    ", " + decimal(static_cast<float>(point.at.y), 2) + "): total settlement " +
                    settlement_text(static_cast<float>(point.settlement)) + " " +
                    std::string(units.settlement));
    out.empty("circle", {{"class", "mark"},
                         {"cx", px(x)},
                         {"cy", px(y)},
                         {"r", px(kPointMarkRadius)},
                         {"fill", band_colour(map.scale, band_of(map.scale, point.settlement))},
                         {"stroke", "#000000"},
                         {"stroke-width", "2"}});
    out.close();
    const double r = kPointMarkRadius + 2.0;
    space.taken.push_back({x - r, y - r, x + r, y + r});
  }
  out.close();
  space.taken.push_back(write_scale_bar(out, frame, units.length));
  // Labels: the points' first, then the loads' names at their outlines' centres.
  out.open("g", {{"class", "labels"}});
  for (std::size_t j = 0; j < map.points.size(); ++j) {
    const PagePoint& point = map.points[j];
    const std::string text =
        point_label(project, j) + " " + settlement_text(static_cast<float>(point.settlement));
    const std::vector<Box> places =
        around_mark(frame.px_x(point.at.x), frame.px_y(point.at.y), kPointMarkRadius, 3.0,
                    text_width(text, 12.0, false), 12.0 * kLineHeight);
    if (const auto box = place_label(space, places))
      write_label(out, "point-label", *box, text, 12.0, false);
  }
  if (map.area_labels) {
    for (std::size_t k = 0; k < project.loads.size(); ++k) {
      const std::vector<PlanPoint> ring = drawn_ring(project.loads[k], frame.world);
      if (ring.empty()) continue;
      const PlanPoint centre = centroid(ring);
      const std::string label = load_label(project.loads[k], k + 1);
      const double w = text_width(label, 13.0, true), h = 13.0 * kLineHeight;
      const double x = frame.px_x(centre.x), y = frame.px_y(centre.y);
      // At the centre, else stepped round it a line and a label's width at a time.
      std::vector<Box> places = {centred_box(x, y, w, h)};
      for (const double step : {1.0, 2.0})
        for (const auto& [dx, dy] :
             {std::pair{0.0, -1.0}, std::pair{0.0, 1.0}, std::pair{-1.0, 0.0}, std::pair{1.0, 0.0},
              std::pair{-1.0, -1.0}, std::pair{1.0, -1.0}, std::pair{-1.0, 1.0},
              std::pair{1.0, 1.0}})
          places.push_back(centred_box(x + dx * step * w, y + dy * step * h, w, h));
      if (const auto box = place_label(space, places))
        write_label(out, "load-label", *box, label, 13.0, true);
    }
  }
  // A contour's level on it, where a place along it is free.
  const int level_decimals = decimals_for(map.scale.step);
  for (const ContourLine& contour : map.contours) {
    if (contour.points.size() < 4) continue;
    const std::string text = decimal(static_cast<float>(contour.level), level_decimals);
    const double w = text_width(text, 11.0, false), h = 11.0 * kLineHeight;
    std::vector<Box> places;
    for (const double f : {0.5, 0.25, 0.75, 0.1, 0.9}) {
      const PlanPoint& p =
          contour
              .points[static_cast<std::size_t>(f * static_cast<double>(contour.points.size() - 1))];
      places.push_back(centred_box(frame.px_x(p.x), frame.px_y(p.y), w, h));
    }
    if (const auto box = place_label(space, places))
      write_label(out, "contour-label", *box, text, 11.0, false);
  }
  out.close();
  const Box area = frame.pixels();
  out.empty("rect", {{"class", "frame"},
                     {"x", px(area.left)},
                     {"y", px(area.top)},
                     {"width", px(area.width())},
                     {"height", px(area.height())},
                     {"fill", "none"},
                     {"stroke", "#000000"}});
  write_key(out, input, map);
  out.close();
}

}  // namespace plot
