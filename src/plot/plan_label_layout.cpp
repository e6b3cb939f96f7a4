// Candidate places for each kind of label, tried in turn.
#include "plot/plan_label_layout.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <string>

#include "plot/area_outline.h"
#include "plot/page_text.h"
#include "plot/plan_labels.h"

namespace plot {
namespace {

constexpr double kPointFont = 13.0, kEndFont = 14.0, kContourFont = 11.0, kSlopeFont = 11.0;

struct Placed {
  Label label;
  Box box;
  Anchor anchor;
};

struct Layout {
  LabelSpace space;
  std::vector<Placed> placed;

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
};

Label one_line(std::string text, double font, const std::string& css_class, bool bold) {
  Label label;
  label.lines = {{{std::move(text), bold, {}}}};
  label.font_size = font;
  label.attributes = {{"class", "label " + css_class}};
  return label;
}

void place_points(Layout& layout, const PlanFrame& frame, const problem::ProblemData& problem,
                  const analysis::AnalysisResults& results, PlanNotes& notes) {
  const UnitNames units = unit_names(problem.unit_system);
  for (int j = 1; j <= problem.point_count; ++j) {
    const auto& point = problem.points[j];
    const std::string position = std::to_string(j);
    Label label;
    label.font_size = kPointFont;
    label.attributes = {{"class", "label point-label"}, {"data-position", position}};
    label.lines = {{{"P" + std::to_string(point.point_number), true, {{"class", "point-number"}}},
                    {settlement_text(results.total_settlement[j]),
                     false,
                     {{"class", "settlement"}, {"data-position", position}}},
                    {std::string(units.settlement), false, {}}}};
    const double x = frame.px_x(static_cast<double>(point.x));
    const double y = frame.px_y(static_cast<double>(point.y));
    if (!layout.place_beside(
            label,
            around_mark(x, y, kPointMarkRadius, 3.0, label_width(label), label_height(label)), x)) {
      ++notes.point_labels_left_off;
    }
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

void place_steepest(Layout& layout, const PlanFrame& frame, const SettlementMap& map) {
  if (!map.steepest.found) return;
  const double x = frame.px_x(map.steepest.at.x), y = frame.px_y(map.steepest.at.y);
  const Label label = one_line("steepest " + one_over_text(map.steepest.slope), kSlopeFont,
                               "steepest-label", false);
  layout.place_beside(label, around_mark(x, y, 7.0, 2.0, label_width(label), label_height(label)),
                      x);
}

// A label on each contour line long enough to carry one, one more for every
// 400 pixels of its length up to three, each near an equal share of the line.
void place_contour_labels(Layout& layout, const PlanFrame& frame, const SettlementMap& map,
                          PlanNotes& notes) {
  const int decimals = decimals_for(map.scale.step);
  for (const ContourLine& line : map.contours) {
    ++notes.contour_lines;
    const std::string level = decimal(static_cast<float>(line.level), decimals);
    Label label = one_line(level, kContourFont, "contour-label", false);
    label.attributes.push_back({"data-level", level});
    const double w = label_width(label), h = label_height(label);
    std::vector<PlanPoint> pixels;
    std::vector<double> along{0.0};
    for (const PlanPoint& p : line.points) {
      pixels.push_back({frame.px_x(p.x), frame.px_y(p.y)});
      if (pixels.size() > 1) {
        const PlanPoint& a = pixels[pixels.size() - 2];
        along.push_back(along.back() + std::hypot(pixels.back().x - a.x, pixels.back().y - a.y));
      }
    }
    const double length = along.back();
    if (length < 2.5 * w) {
      ++notes.contour_lines_unlabelled;
      continue;
    }
    const auto at = [&](double distance) {
      const auto k = static_cast<std::size_t>(
          std::upper_bound(along.begin(), along.end(), distance) - along.begin());
      const std::size_t i = std::clamp<std::size_t>(k, 1, pixels.size() - 1);
      const double span = along[i] - along[i - 1];
      const double f = span > 0.0 ? (distance - along[i - 1]) / span : 0.0;
      return PlanPoint{pixels[i - 1].x + (pixels[i].x - pixels[i - 1].x) * f,
                       pixels[i - 1].y + (pixels[i].y - pixels[i - 1].y) * f};
    };
    const int count = std::clamp(static_cast<int>(length / 400.0), 1, 3);
    bool labelled = false;
    for (int k = 0; k < count; ++k) {
      std::vector<Box> candidates;
      for (const double shift : {0.0, -0.1, 0.1, -0.2, 0.2, -0.3, 0.3, -0.4, 0.4}) {
        const PlanPoint p = at(length * (k + 0.5 + shift) / count);
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

// The larger areas first: they have room inside for their labels.
void place_areas(Layout& layout, const PlanFrame& frame, const problem::ProblemData& problem,
                 PlanNotes& notes) {
  const int count = std::max(problem.total_area_count(), 0);
  const UnitNames units = unit_names(problem.unit_system);
  const double font = count > 40 ? 9.0 : count > 12 ? 10.0 : 11.0;
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
    label.font_size = font;
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
  place_points(layout, frame, problem, results, notes);
  place_section_ends(layout, marks);
  place_steepest(layout, frame, map);
  place_contour_labels(layout, frame, map, notes);
  place_areas(layout, frame, problem, notes);
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
