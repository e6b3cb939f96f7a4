// Drawing the plan, bottom layer first: the bands, the coordinate lines, the
// contour lines, the areas' outlines, the pairs beyond the distortion limit,
// the section's line, the marks of the points; then the labels, placed so
// that none overlaps another or a mark.
#include "plot/plan_view.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "analysis/settlement_grid.h"
#include "plot/area_outline.h"
#include "plot/map_extent.h"
#include "plot/map_legend.h"
#include "plot/page_text.h"
#include "plot/plan_frame.h"
#include "plot/plan_label_layout.h"

namespace plot {
namespace {

// The drawing has the shape of a landscape page less its heading: the frame
// at the left, the panel of the key and the title block at the right.
constexpr double kWidth = 1000.0, kHeight = 600.0;
constexpr double kLeft = 60.0, kTop = 14.0;
constexpr double kPanelLeft = 778.0, kPanelRight = 992.0;

double wide(float value) { return static_cast<double>(value); }

// The plan drawn: the grid when there is one (it holds the areas, the points
// and a margin), else the areas and points with a little room around them.
PlanBox world_box(const SettlementMap& map) {
  if (map.has_grid) {
    const ValueGrid& g = map.grid;
    return {g.x0, g.x0 + g.spacing * (g.columns - 1), g.y0, g.y0 + g.spacing * (g.rows - 1)};
  }
  const analysis::PlanExtent& extent = map.extent;
  const double pad = std::max({extent.width(), extent.height(), 1.0}) * 0.06;
  return {extent.min_x - pad, extent.max_x + pad, extent.min_y - pad, extent.max_y + pad};
}

}  // namespace

std::string pixel_points(const PlanFrame& frame, const std::vector<PlanPoint>& points) {
  std::string text;
  for (const PlanPoint& p : points) {
    if (!text.empty()) text += ' ';
    text += px(frame.px_x(p.x)) + "," + px(frame.px_y(p.y));
  }
  return text;
}

// The lowest band over the whole grid, then the region above each level in
// the colour of the band above it, each over the one before: every band is
// painted, with no seam between neighbours.
void write_bands(XmlWriter& out, const PlanFrame& frame, const SettlementMap& map) {
  out.open("g", {{"class", "bands"}, {"stroke", "none"}});
  const Box area = frame.pixels();
  out.empty("rect", {{"class", "band"},
                     {"data-band", "0"},
                     {"x", px(area.left)},
                     {"y", px(area.top)},
                     {"width", px(area.width())},
                     {"height", px(area.height())},
                     {"fill", band_colour(map.scale, 0)}});
  for (std::size_t k = 0; k < map.regions.size(); ++k) {
    std::string path;
    for (const auto& ring : map.regions[k]) {
      for (std::size_t n = 0; n < ring.size(); ++n) {
        path += (n == 0 ? (path.empty() ? "M" : " M") : " ") + px(frame.px_x(ring[n].x)) + "," +
                px(frame.px_y(ring[n].y));
      }
      path += "Z";
    }
    if (path.empty()) continue;
    const int band = static_cast<int>(k) + 1;
    out.empty("path", {{"class", "band"},
                       {"data-band", std::to_string(band)},
                       {"d", path},
                       {"fill", band_colour(map.scale, band)},
                       {"fill-rule", "nonzero"}});
  }
  out.close();
}

namespace {

std::string level_text(const SettlementMap& map, double level) {
  return decimal(static_cast<float>(level), decimals_for(map.scale.step));
}

}  // namespace

void write_contours(XmlWriter& out, const PlanFrame& frame, const SettlementMap& map) {
  out.open("g", {{"class", "contours"},
                 {"fill", "none"},
                 {"stroke", kContourColour},
                 {"stroke-width", "0.9"},
                 {"stroke-linejoin", "round"}});
  for (const ContourLine& line : map.contours) {
    out.empty(line.closed ? "polygon" : "polyline", {{"class", "contour"},
                                                     {"data-level", level_text(map, line.level)},
                                                     {"points", pixel_points(frame, line.points)}});
  }
  out.close();
}

namespace {

void write_areas(XmlWriter& out, const PlanFrame& frame, const problem::ProblemData& problem) {
  const UnitNames units = unit_names(problem.unit_system);
  // A faint fill, so that the bands show through.
  out.open("g", {{"class", "areas"}, {"fill", "#000000"}, {"fill-opacity", "0.04"}});
  for (int i = 1; i <= problem.total_area_count(); ++i) {
    const auto& area = problem.areas[i];
    const bool spread = area.shape == problem::kSpreadArea;
    const std::string label = area_label(problem, i);
    out.open("g", {{"class", spread ? "area spread" : "area"}, {"data-area", label}});
    out.element(
        "title", {},
        (spread ? "Spread area " + label + ": total load " : "Area " + label + ": loading ") +
            decimal(area.loading, 3) + " " + std::string(spread ? units.force : units.pressure));
    const AreaOutline outline = area_outline(area);
    if (outline.circle) {
      out.empty("circle", {{"cx", px(frame.px_x(outline.centre.x))},
                           {"cy", px(frame.px_y(outline.centre.y))},
                           {"r", px(outline.radius * frame.scale)},
                           {"stroke", "#000000"},
                           {"stroke-width", "1.2"}});
    } else {
      out.empty("polygon", {{"points", pixel_points(frame, outline.corners)},
                            {"fill", spread ? "none" : "#000000"},
                            {"stroke", "#000000"},
                            {"stroke-width", "1.2"},
                            {"stroke-dasharray", spread ? "5 3" : "none"}});
    }
    out.close();
  }
  out.close();
}

PlanPoint point_at(const problem::ProblemData& problem, int j) {
  return {wide(problem.points[j].x), wide(problem.points[j].y)};
}

void write_flagged_pairs(XmlWriter& out, const PlanFrame& frame,
                         const problem::ProblemData& problem, const SettlementMap& map) {
  out.open("g", {{"class", "distortion"},
                 {"stroke", kFlaggedPairColour},
                 {"stroke-width", flagged_pair_width(map)},
                 {"stroke-linecap", "round"},
                 {"stroke-opacity", "0.85"}});
  for (const DistortionRow& row : map.distortion) {
    if (!row.beyond_limit) continue;
    const PlanPoint a = point_at(problem, row.pair[0] + 1);
    const PlanPoint b = point_at(problem, row.pair[1] + 1);
    const std::string first = std::to_string(problem.points[row.pair[0] + 1].point_number);
    const std::string second = std::to_string(problem.points[row.pair[1] + 1].point_number);
    // Pairs of different structures never come: distortion_by_structure
    // pairs the points of one structure and one start layer only.
    out.open("g", {{"class", "flagged-pair"}, {"data-pair", first + "-" + second}});
    out.element(
        "title", {},
        "P" + first + " to P" + second + ": angular distortion " + one_over_text(row.distortion));
    out.empty("line", {{"x1", px(frame.px_x(a.x))},
                       {"y1", px(frame.px_y(a.y))},
                       {"x2", px(frame.px_x(b.x))},
                       {"y2", px(frame.px_y(b.y))}});
    out.close();
  }
  out.close();
}

// The part of the section's line inside the frame, if any, as two ends.
std::optional<std::array<PlanPoint, 2>> section_in_frame(const PlanFrame& frame,
                                                         const SectionLine& line) {
  AreaOutline box;
  const PlanBox& w = frame.world;
  box.corners = {{w.min_x, w.min_y}, {w.max_x, w.min_y}, {w.max_x, w.max_y}, {w.min_x, w.max_y}};
  const PlanPoint a{line.x1, line.y1}, b{line.x2, line.y2};
  const auto inside = stretch_inside(box, a, b);
  if (!inside) return std::nullopt;
  const auto along = [&](double f) {
    return PlanPoint{a.x + (b.x - a.x) * f, a.y + (b.y - a.y) * f};
  };
  return std::array<PlanPoint, 2>{along(inside->from), along(inside->to)};
}

// The section's line and the points' marks; the
// boxes that labels keep clear of and the section's ends in pixels.
PlanMarks write_marks(XmlWriter& out, const PlanFrame& frame, const problem::ProblemData& problem,
                      const analysis::AnalysisResults& results, const SettlementMap& map,
                      PlanNotes& notes) {
  PlanMarks marks;
  if (map.section) {
    if (const auto ends = section_in_frame(frame, *map.section)) {
      const PlanPoint a{frame.px_x((*ends)[0].x), frame.px_y((*ends)[0].y)};
      const PlanPoint b{frame.px_x((*ends)[1].x), frame.px_y((*ends)[1].y)};
      marks.section_ends = std::array<PlanPoint, 2>{a, b};
      out.empty("line", {{"class", "section-line"},
                         {"x1", px(a.x)},
                         {"y1", px(a.y)},
                         {"x2", px(b.x)},
                         {"y2", px(b.y)},
                         {"stroke", kSectionColour},
                         {"stroke-width", "1.6"},
                         {"stroke-dasharray", "8 4"}});
    }
  }
  const UnitNames units = unit_names(problem.unit_system);
  out.open("g", {{"class", "points"}});
  std::vector<PlanPoint> seen;
  for (int j = 1; j <= problem.point_count; ++j) {
    const auto& point = problem.points[j];
    const PlanPoint here = point_at(problem, j);
    if (std::any_of(seen.begin(), seen.end(),
                    [&](const PlanPoint& p) { return p.x == here.x && p.y == here.y; })) {
      ++notes.coinciding_points;
    }
    seen.push_back(here);
    const float total = results.total_settlement[j];
    const double x = frame.px_x(here.x), y = frame.px_y(here.y);
    // A point counted from another start layer than the map's nodes is a
    // square: its total is not a value of the surface around it.
    const bool otherwise = counted_otherwise(map, map.points[static_cast<std::size_t>(j - 1)]);
    out.open("g", {{"class", otherwise && !map.stress ? "point other-start" : "point"},
                   {"data-position", std::to_string(j)}});
    out.element("title", {},
                "Point " + std::to_string(point.point_number) + " at (" + decimal(point.x, 2) +
                    ", " + decimal(point.y, 2) + "): total settlement " + settlement_text(total) +
                    " " + std::string(units.settlement) + ", counted from layer " +
                    std::to_string(std::max(point.start_layer, 1)));
    const std::string fill = map.stress ? std::string("#ffffff")
                                        : band_colour(map.scale, band_of(map.scale, wide(total)));
    if (otherwise && !map.stress) {
      out.empty("rect", {{"class", "mark"},
                         {"x", px(x - kPointMarkRadius)},
                         {"y", px(y - kPointMarkRadius)},
                         {"width", px(2 * kPointMarkRadius)},
                         {"height", px(2 * kPointMarkRadius)},
                         {"fill", fill},
                         {"stroke", "#000000"},
                         {"stroke-width", "2"}});
    } else {
      out.empty("circle", {{"class", "mark"},
                           {"cx", px(x)},
                           {"cy", px(y)},
                           {"r", px(kPointMarkRadius)},
                           {"fill", fill},
                           {"stroke", "#000000"},
                           {"stroke-width", "2"}});
    }
    out.empty("circle", {{"cx", px(x)}, {"cy", px(y)}, {"r", "1.5"}, {"fill", "#000000"}});
    out.close();
    // The stroke reaches a pixel past the radius; a pixel more of room.
    const double r = kPointMarkRadius + 2.0;
    marks.boxes.push_back({x - r, y - r, x + r, y + r});
  }
  out.close();
  return marks;
}

}  // namespace

PlanNotes write_plan_view(XmlWriter& out, const problem::ProblemData& problem,
                          const analysis::AnalysisResults& results, const SettlementMap& map) {
  PlanNotes notes;
  PlanFrame frame = fit_frame(world_box(map), kLeft, kTop, kFrameWidth, kFrameHeight);
  const UnitNames units = unit_names(problem.unit_system);
  const std::string what = map.stress ? "stress-map" : "settlement-map";
  out.open("svg", {{"xmlns", "http://www.w3.org/2000/svg"},
                   {"class", "plan " + what},
                   {"width", px(kWidth)},
                   {"height", px(kHeight)},
                   {"viewBox", "0 0 " + px(kWidth) + " " + px(kHeight)},
                   {"font-family", "Helvetica, Arial, 'Liberation Sans', sans-serif"},
                   {"font-size", "12"}});
  out.element("title", {},
              map.stress ? "Plan view: stress increase at a depth, loaded areas and points"
                         : "Plan view: settlement map, loaded areas and settlement points");
  if (map.has_grid) write_bands(out, frame, map);
  write_axes(out, frame, units.length);
  if (map.has_grid) write_contours(out, frame, map);
  write_areas(out, frame, problem);
  if (!map.stress) write_flagged_pairs(out, frame, problem, map);
  PlanMarks marks = write_marks(out, frame, problem, results, map, notes);
  marks.boxes.push_back(write_scale_bar(out, frame, units.length));
  write_plan_labels(out, frame, problem, results, map, marks, notes);
  const Box area = frame.pixels();
  out.empty("rect", {{"class", "frame"},
                     {"x", px(area.left)},
                     {"y", px(area.top)},
                     {"width", px(area.width())},
                     {"height", px(area.height())},
                     {"fill", "none"},
                     {"stroke", "#000000"}});
  write_map_legend(out, problem, map, {kPanelLeft, kTop, kPanelRight, kHeight - 8});
  out.close();
  return notes;
}

}  // namespace plot
