// Candidate places for each kind of label, tried in turn; a point's or an
// area's label that finds no place beside its mark is set farther off with a
// leader line back to it.
#include "plot/plan_label_layout.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>
#include <string>

#include "plot/area_outline.h"
#include "plot/map_legend.h"
#include "plot/page_text.h"
#include "plot/plan_labels.h"

namespace plot {
namespace {

// Every text of the plan is 10 pixels or more: printed, the drawing is about
// a quarter of a millimetre a pixel, and 10 pixels are 7 points.
constexpr double kPointFont = 13.0, kEndFont = 14.0, kContourFont = 11.0, kAreaFont = 11.0;

struct Placed {
  Label label;
  Box box;
  Anchor anchor;
};

struct Leader {
  double x1, y1, x2, y2;
};

struct Layout {
  LabelSpace space;
  std::vector<Placed> placed;
  std::vector<Leader> leaders;

  // Places `label` at the first free candidate; false when none is.
  bool place(const Label& label, const std::vector<Box>& candidates, Anchor anchor) {
    const auto box = place_label(space, candidates);
    if (!box) return false;
    placed.push_back({label, *box, anchor});
    return true;
  }
  // The same, for a label beside a mark at x: anchored on the mark's side.
  bool place_beside(const Label& label, const std::vector<Box>& candidates, double x) {
    const auto box = place_label(space, candidates);
    if (!box) return false;
    placed.push_back({label, *box, anchor_beside(*box, x)});
    return true;
  }
  // Farther off, in sixteen directions at growing distances, with a leader
  // from `clear` pixels off (x, y) to the box; a place whose leader would
  // cross a label or a mark is not taken.
  bool place_with_leader(const Label& label, double x, double y, double clear) {
    const double w = label_width(label), h = label_height(label);
    for (const double distance : {clear + 18.0, clear + 34.0, clear + 55.0, clear + 80.0}) {
      for (int k = 0; k < 16; ++k) {
        const double angle = -std::numbers::pi / 4 + k * std::numbers::pi / 8;
        const double cx = x + std::cos(angle) * (distance + w / 2);
        const double cy = y + std::sin(angle) * (distance + h / 2);
        const Box box = centred_box(cx, cy, w, h);
        if (!is_free(space, box)) continue;
        double ex = x, ey = y;
        nearest_on_box(box, ex, ey);
        const double length = std::hypot(ex - x, ey - y);
        if (length <= clear) continue;
        const double sx = x + (ex - x) / length * clear, sy = y + (ey - y) / length * clear;
        const bool crosses = std::any_of(space.taken.begin(), space.taken.end(), [&](const Box& b) {
          const bool holds_start = sx > b.left && sx < b.right && sy > b.top && sy < b.bottom;
          return !holds_start && segment_meets(b, sx, sy, ex, ey);
        });
        if (crosses) continue;
        space.taken.push_back(box);
        placed.push_back({label, box, Anchor::kMiddle});
        leaders.push_back({sx, sy, ex, ey});
        return true;
      }
    }
    return false;
  }
};

Label one_line(std::string text, double font, const std::string& css_class, bool bold) {
  Label label;
  label.lines = {{{std::move(text), bold, {}}}};
  label.font_size = font;
  label.attributes = {{"class", "label " + css_class}};
  return label;
}

void place_points(Layout& layout, const PlanFrame& frame, const problem::ProblemData& problem,
                  const analysis::AnalysisResults& results, const SettlementMap& map,
                  PlanNotes& notes) {
  const UnitNames units = unit_names(problem.unit_system);
  for (int j = 1; j <= problem.point_count; ++j) {
    const auto& point = problem.points[j];
    const std::string position = std::to_string(j);
    const bool otherwise =
        !map.stress && counted_otherwise(map, map.points[static_cast<std::size_t>(j - 1)]);
    Label label;
    label.font_size = kPointFont;
    label.attributes = {{"class", "label point-label"}, {"data-position", position}};
    label.lines = {{{"P" + std::to_string(point.point_number) + (otherwise ? "*" : ""),
                     true,
                     {{"class", "point-number"}}}}};
    if (!map.stress) {
      label.lines[0].push_back({settlement_text(results.total_settlement[j]),
                                false,
                                {{"class", "settlement"}, {"data-position", position}}});
      label.lines[0].push_back({std::string(units.settlement), false, {}});
    }
    const double x = frame.px_x(static_cast<double>(point.x));
    const double y = frame.px_y(static_cast<double>(point.y));
    if (layout.place_beside(
            label,
            around_mark(x, y, kPointMarkRadius, 3.0, label_width(label), label_height(label)), x)) {
      continue;
    }
    if (!layout.place_with_leader(label, x, y, kPointMarkRadius + 2.0))
      ++notes.point_labels_left_off;
  }
}

void place_section_ends(Layout& layout, const PlanMarks& marks) {
  if (!marks.section_ends) return;
  const char* names[] = {"A", "A\u2032"};
  for (int k = 0; k < 2; ++k) {
    const PlanPoint& end = (*marks.section_ends)[static_cast<std::size_t>(k)];
    const Label label = one_line(names[k], kEndFont, "section-end", true);
    layout.place_beside(
        label, around_mark(end.x, end.y, 2.0, 3.0, label_width(label), label_height(label)), end.x);
  }
}

// The line in pixels with the distance along it at each of its points.
struct PixelLine {
  std::vector<PlanPoint> points;
  std::vector<double> along{0.0};
  double length() const { return along.back(); }
  PlanPoint at(double distance) const {
    const auto k = static_cast<std::size_t>(std::upper_bound(along.begin(), along.end(), distance) -
                                            along.begin());
    const std::size_t i = std::clamp<std::size_t>(k, 1, points.size() - 1);
    const double span = along[i] - along[i - 1];
    const double f = span > 0.0 ? (distance - along[i - 1]) / span : 0.0;
    return {points[i - 1].x + (points[i].x - points[i - 1].x) * f,
            points[i - 1].y + (points[i].y - points[i - 1].y) * f};
  }
};

// Where a closed line meets the ray from its centroid at `angle`: the
// distance along the line of its point nearest that direction. The same
// directions on every line of a basin set its labels one outside the other
// in the order of their levels, as a reader follows them.
double ray_distance(const PixelLine& line, double angle) {
  PlanPoint centre{0.0, 0.0};
  for (const PlanPoint& p : line.points) centre.x += p.x, centre.y += p.y;
  centre.x /= static_cast<double>(line.points.size());
  centre.y /= static_cast<double>(line.points.size());
  double best = 0.0, best_miss = 1e300;
  for (std::size_t k = 0; k < line.points.size(); ++k) {
    const double a = std::atan2(line.points[k].y - centre.y, line.points[k].x - centre.x);
    const double miss = std::fabs(std::remainder(a - angle, 2 * std::numbers::pi));
    if (miss < best_miss) best_miss = miss, best = line.along[k];
  }
  return best;
}

// Labels along each contour line, one for every 450 pixels of it up to four:
// on a closed line where it meets rays from its centre in fixed directions,
// on an open one at equal shares of its length; each moved along the line,
// a little at a time, where its place is taken.
void place_contour_labels(Layout& layout, const PlanFrame& frame, const SettlementMap& map,
                          PlanNotes& notes) {
  const int decimals = scale_decimals(map.scale);
  // Lower right first, then upper left, upper right and lower left (y down).
  constexpr double kRays[] = {std::numbers::pi / 5, -std::numbers::pi * 4 / 5,
                              -std::numbers::pi / 5, std::numbers::pi * 4 / 5};
  for (const ContourLine& line : map.contours) {
    ++notes.contour_lines;
    const std::string level = decimal(static_cast<float>(line.level), decimals);
    Label label = one_line(level, kContourFont, "contour-label", false);
    label.attributes.push_back({"data-level", level});
    const double w = label_width(label), h = label_height(label);
    PixelLine pixels;
    for (const PlanPoint& p : line.points) {
      pixels.points.push_back({frame.px_x(p.x), frame.px_y(p.y)});
      if (pixels.points.size() > 1) {
        const PlanPoint& a = pixels.points[pixels.points.size() - 2];
        const PlanPoint& b = pixels.points.back();
        pixels.along.push_back(pixels.along.back() + std::hypot(b.x - a.x, b.y - a.y));
      }
    }
    const double length = pixels.length();
    if (length < 2.5 * w) {
      ++notes.contour_lines_unlabelled;
      continue;
    }
    const int count = std::clamp(static_cast<int>(length / 450.0), 1, 4);
    bool labelled = false;
    for (int k = 0; k < count; ++k) {
      const double middle =
          line.closed ? ray_distance(pixels, kRays[k]) : length * (k + 0.5) / count;
      std::vector<Box> candidates;
      for (const double shift : {0.0, -0.03, 0.03, -0.06, 0.06, -0.1, 0.1, -0.15, 0.15}) {
        double distance = middle + shift * length;
        if (line.closed) distance = std::fmod(distance + length, length);
        if (distance < 0.0 || distance > length) continue;
        const PlanPoint p = pixels.at(distance);
        candidates.push_back(centred_box(p.x, p.y, w, h));
      }
      labelled = layout.place(label, candidates, Anchor::kMiddle) || labelled;
    }
    if (!labelled) ++notes.contour_lines_unlabelled;
  }
}

// Inside the outline's upper half, at its centre, then under, over, right of
// and left of it.
std::vector<Box> around_outline(const Box& outline, double cx, double cy, double w, double h) {
  std::vector<Box> boxes;
  if (w <= outline.width() * 0.9 && h <= outline.height() * 0.45) {
    boxes.push_back(centred_box(cx, cy - (cy - outline.top) * 0.5, w, h));
  }
  if (w <= outline.width() * 0.9 && h <= outline.height() * 0.9) {
    boxes.push_back(centred_box(cx, cy, w, h));
  }
  boxes.push_back({cx - w / 2, outline.bottom + 2, cx + w / 2, outline.bottom + 2 + h});
  boxes.push_back({cx - w / 2, outline.top - 2 - h, cx + w / 2, outline.top - 2});
  boxes.push_back({outline.right + 3, cy - h / 2, outline.right + 3 + w, cy + h / 2});
  boxes.push_back({outline.left - 3 - w, cy - h / 2, outline.left - 3, cy + h / 2});
  return boxes;
}

Box outline_pixels(const PlanFrame& frame, const AreaOutline& outline) {
  if (outline.circle) {
    const double r = outline.radius * frame.scale;
    const double x = frame.px_x(outline.centre.x), y = frame.px_y(outline.centre.y);
    return {x - r, y - r, x + r, y + r};
  }
  Box box{1e300, 1e300, -1e300, -1e300};
  for (const PlanPoint& c : outline.corners) {
    box.left = std::min(box.left, frame.px_x(c.x));
    box.right = std::max(box.right, frame.px_x(c.x));
    box.top = std::min(box.top, frame.px_y(c.y));
    box.bottom = std::max(box.bottom, frame.px_y(c.y));
  }
  return box;
}

// The larger areas first: they have room inside for their labels. A label
// that finds no room at its area stands off with a leader to the area's
// centre, its loading left off first.
void place_areas(Layout& layout, const PlanFrame& frame, const problem::ProblemData& problem,
                 PlanNotes& notes) {
  const int count = std::max(problem.total_area_count(), 0);
  const UnitNames units = unit_names(problem.unit_system);
  std::vector<Box> outlines;
  for (int i = 1; i <= count; ++i)
    outlines.push_back(outline_pixels(frame, area_outline(problem.areas[i])));
  std::vector<int> order(static_cast<std::size_t>(count));
  std::iota(order.begin(), order.end(), 1);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    const Box& p = outlines[static_cast<std::size_t>(a - 1)];
    const Box& q = outlines[static_cast<std::size_t>(b - 1)];
    return p.width() * p.height() > q.width() * q.height();
  });
  for (const int i : order) {
    const auto& area = problem.areas[i];
    const bool spread = area.shape == problem::kSpreadArea;
    const std::string id = area_label(problem, i);
    Label label;
    label.font_size = kAreaFont;
    label.attributes = {{"class", "label area-label"}, {"data-area", id}};
    const LabelSpan name{id, true, {{"class", "area-id"}}};
    label.lines = {
        {name},
        {{decimal(area.loading, 3) + " " + std::string(spread ? units.force : units.pressure),
          false,
          {{"class", "loading"}}}}};
    const Box& outline = outlines[static_cast<std::size_t>(i - 1)];
    const double cx = frame.px_x(static_cast<double>(area.x));
    const double cy = frame.px_y(static_cast<double>(area.y));
    if (layout.place(label,
                     around_outline(outline, cx, cy, label_width(label), label_height(label)),
                     Anchor::kMiddle)) {
      continue;
    }
    label.lines.pop_back();
    if (layout.place(label,
                     around_outline(outline, cx, cy, label_width(label), label_height(label)),
                     Anchor::kMiddle)) {
      ++notes.area_loads_left_off;
    } else if (layout.place_with_leader(label, cx, cy, 2.0)) {
      ++notes.area_loads_left_off;
    } else {
      ++notes.area_labels_left_off;
    }
  }
}

}  // namespace

void write_plan_labels(XmlWriter& out, const PlanFrame& frame, const problem::ProblemData& problem,
                       const analysis::AnalysisResults& results, const SettlementMap& map,
                       const PlanMarks& marks, PlanNotes& notes) {
  Layout layout;
  const Box area = frame.pixels();
  layout.space.frame = {area.left + 2, area.top + 2, area.right - 2, area.bottom - 2};
  layout.space.taken = marks.boxes;
  place_points(layout, frame, problem, results, map, notes);
  place_section_ends(layout, marks);
  place_contour_labels(layout, frame, map, notes);
  if (map.area_labels) {
    place_areas(layout, frame, problem, notes);
  } else {
    notes.area_labels_off = true;
  }
  if (!layout.leaders.empty()) {
    out.open("g", {{"class", "leaders"}, {"stroke", "#000000"}, {"stroke-width", "0.8"}});
    for (const Leader& leader : layout.leaders) {
      out.empty("line", {{"class", "leader"},
                         {"x1", px(leader.x1)},
                         {"y1", px(leader.y1)},
                         {"x2", px(leader.x2)},
                         {"y2", px(leader.y2)}});
    }
    out.close();
  }
  // A white halo under every letter keeps it legible over lines and bands.
  out.open("g", {{"class", "labels"},
                 {"fill", "#000000"},
                 {"stroke", "#ffffff"},
                 {"stroke-width", "3"},
                 {"stroke-linejoin", "round"},
                 {"paint-order", "stroke"}});
  for (const Placed& placed : layout.placed)
    write_label(out, placed.label, placed.box, placed.anchor);
  out.close();
}

}  // namespace plot
