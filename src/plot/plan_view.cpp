// Drawing the plan: a frame with equal axes, grid and scale bar, the shaded
// basin, the areas as outlines and the points as coloured markers.
#include "plot/plan_view.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "plot/page_text.h"
#include "plot/shading.h"
#include "plot/triangulation.h"

namespace plot {
namespace {

constexpr double kWidth = 1000.0;
constexpr double kLeft = 64.0, kRight = 24.0, kTop = 16.0, kBottom = 56.0;
constexpr double kMinPlotHeight = 320.0, kMaxPlotHeight = 760.0;

// Plan values are stored in single precision; the drawing works in double.
double wide(float value) { return static_cast<double>(value); }

struct Box {
  double min_x = 1e300, max_x = -1e300, min_y = 1e300, max_y = -1e300;
  void add(double x, double y) {
    min_x = std::min(min_x, x);
    max_x = std::max(max_x, x);
    min_y = std::min(min_y, y);
    max_y = std::max(max_y, y);
  }
};

// World (plan) coordinates to pixels; y grows upward in the plan.
struct Frame {
  double min_x, max_y, scale, height;
  double px_x(double x) const { return kLeft + (x - min_x) * scale; }
  double px_y(double y) const { return kTop + (max_y - y) * scale; }
};

// The plan corners of a rectangle turned so that its X side has slope `s`.
std::vector<PlanPoint> rectangle_corners(const problem::LoadedArea& area) {
  const double s = wide(area.area_slope);
  const double c = 1.0 / std::sqrt(1.0 + s * s);
  const double t = s / std::sqrt(1.0 + s * s);
  const double a = wide(area.x_length) * 0.5;
  const double b = wide(area.y_length) * 0.5;
  std::vector<PlanPoint> corners;
  for (const auto& [u, v] :
       {std::pair{-a, -b}, std::pair{a, -b}, std::pair{a, b}, std::pair{-a, b}}) {
    corners.push_back({wide(area.x) + u * c - v * t, wide(area.y) + u * t + v * c});
  }
  return corners;
}

// A spread area is drawn as its plan dimensions, sides along the axes.
std::vector<PlanPoint> spread_corners(const problem::LoadedArea& area) {
  const double a = wide(area.x_length) * 0.5;
  const double b = wide(area.y_length) * 0.5;
  return {{wide(area.x) - a, wide(area.y) - b},
          {wide(area.x) + a, wide(area.y) - b},
          {wide(area.x) + a, wide(area.y) + b},
          {wide(area.x) - a, wide(area.y) + b}};
}

Frame make_frame(const problem::ProblemData& problem) {
  Box box;
  for (int i = 1; i <= problem.total_area_count(); ++i) {
    const auto& area = problem.areas[i];
    if (area.shape == problem::kCircle) {
      const double r = std::fabs(wide(area.x_length)) * 0.5;
      box.add(wide(area.x) - r, wide(area.y) - r);
      box.add(wide(area.x) + r, wide(area.y) + r);
    } else {
      const auto corners =
          area.shape == problem::kSpreadArea ? spread_corners(area) : rectangle_corners(area);
      for (const PlanPoint& c : corners) box.add(c.x, c.y);
    }
  }
  for (int j = 1; j <= problem.point_count; ++j) {
    const auto& point = problem.points[j];
    box.add(wide(point.x), wide(point.y));
  }
  if (box.min_x > box.max_x) box.add(0.0, 0.0);
  // Room around the drawing for the labels, and a least extent of one unit.
  double span = std::max({box.max_x - box.min_x, box.max_y - box.min_y, 1.0});
  const double pad = span * 0.06;
  box.min_x -= pad, box.max_x += pad, box.min_y -= pad, box.max_y += pad;
  const double plot_width = kWidth - kLeft - kRight;
  double scale = plot_width / (box.max_x - box.min_x);
  double height = (box.max_y - box.min_y) * scale;
  if (height > kMaxPlotHeight) {
    scale = kMaxPlotHeight / (box.max_y - box.min_y);
    height = kMaxPlotHeight;
  }
  height = std::max(height, kMinPlotHeight);
  // Centre the drawing in the frame along the axis that has room to spare.
  const double extra_x = plot_width / scale - (box.max_x - box.min_x);
  const double extra_y = height / scale - (box.max_y - box.min_y);
  return {box.min_x - extra_x / 2.0, box.max_y + extra_y / 2.0, scale, height};
}

std::string polygon_points(const Frame& frame, const std::vector<PlanPoint>& corners) {
  std::string text;
  for (const PlanPoint& c : corners) {
    if (!text.empty()) text += ' ';
    text += px(frame.px_x(c.x)) + "," + px(frame.px_y(c.y));
  }
  return text;
}

void write_grid(XmlWriter& out, const Frame& frame, std::string_view length_unit) {
  const double plot_width = kWidth - kLeft - kRight;
  const double min_y = frame.max_y - frame.height / frame.scale;
  const double max_x = frame.min_x + plot_width / frame.scale;
  const double step = round_step(std::max(plot_width, frame.height) / frame.scale, 10);
  const double bottom = kTop + frame.height;
  out.open("g", {{"class", "grid"}});
  for (const double x : ticks(frame.min_x, max_x, step)) {
    const std::string at = px(frame.px_x(x));
    out.empty(
        "line",
        {{"x1", at}, {"y1", px(kTop)}, {"x2", at}, {"y2", px(bottom)}, {"stroke", "#d9d9d9"}});
    out.element("text", {{"x", at}, {"y", px(bottom + 16)}, {"text-anchor", "middle"}},
                decimal(static_cast<float>(x), decimals_for(step)));
  }
  for (const double y : ticks(min_y, frame.max_y, step)) {
    const std::string at = px(frame.px_y(y));
    out.empty("line", {{"x1", px(kLeft)},
                       {"y1", at},
                       {"x2", px(kWidth - kRight)},
                       {"y2", at},
                       {"stroke", "#d9d9d9"}});
    out.element("text",
                {{"x", px(kLeft - 6)}, {"y", px(frame.px_y(y) + 4)}, {"text-anchor", "end"}},
                decimal(static_cast<float>(y), decimals_for(step)));
  }
  out.empty("rect", {{"x", px(kLeft)},
                     {"y", px(kTop)},
                     {"width", px(plot_width)},
                     {"height", px(frame.height)},
                     {"fill", "none"},
                     {"stroke", "#000000"}});
  out.element(
      "text",
      {{"x", px(kLeft + plot_width / 2)}, {"y", px(bottom + 36)}, {"text-anchor", "middle"}},
      "x (" + std::string(length_unit) + ")");
  const std::string y_label_at = px(kTop + frame.height / 2);
  out.element("text",
              {{"x", "16"},
               {"y", y_label_at},
               {"text-anchor", "middle"},
               {"transform", "rotate(-90 16 " + y_label_at + ")"}},
              "y (" + std::string(length_unit) + ")");
  // Scale bar, bottom right, on a white ground so that it reads over the shading.
  const double bar = round_step(plot_width / frame.scale, 5);
  const double bar_px = bar * frame.scale;
  const double right = kWidth - kRight - 14;
  const double base = bottom - 14;
  out.empty("rect", {{"x", px(right - bar_px - 8)},
                     {"y", px(base - 24)},
                     {"width", px(bar_px + 16)},
                     {"height", "32"},
                     {"fill", "#ffffff"},
                     {"stroke", "#000000"},
                     {"stroke-width", "0.5"}});
  out.empty("rect", {{"x", px(right - bar_px)},
                     {"y", px(base - 4)},
                     {"width", px(bar_px)},
                     {"height", "5"},
                     {"fill", "#000000"}});
  out.element("text",
              {{"x", px(right - bar_px / 2)}, {"y", px(base - 9)}, {"text-anchor", "middle"}},
              decimal(static_cast<float>(bar), decimals_for(bar)) + " " + std::string(length_unit));
  out.close();
}

PlanNotes write_shading(XmlWriter& out, const Frame& frame, const problem::ProblemData& problem,
                        const analysis::AnalysisResults& results, const ColourScale& scale) {
  PlanNotes notes;
  std::vector<PlanPoint> points;
  std::vector<double> values;
  for (int j = 1; j <= problem.point_count; ++j) {
    const auto& point = problem.points[j];
    const PlanPoint here{wide(point.x), wide(point.y)};
    if (std::any_of(points.begin(), points.end(),
                    [&](const PlanPoint& p) { return p.x == here.x && p.y == here.y; })) {
      ++notes.coinciding_points;
    }
    points.push_back(here);
    values.push_back(wide(results.total_settlement[j]));
  }
  const std::vector<Triangle> triangles = delaunay_triangles(points);
  notes.shaded = !triangles.empty();
  if (!notes.shaded) return notes;
  out.open("g", {{"class", "shading"}, {"stroke-width", "0.6"}, {"stroke-linejoin", "round"}});
  // The outline of each piece in its own colour closes the hairline seams
  // that anti-aliasing leaves between neighbours.
  for (const BandPiece& piece : band_pieces(points, values, triangles, scale)) {
    const std::string colour = band_colour(scale, piece.band);
    out.empty(
        "polygon",
        {{"points", polygon_points(frame, piece.corners)}, {"fill", colour}, {"stroke", colour}});
  }
  out.close();
  return notes;
}

// How far above its centre, in pixels, an area's outline reaches.
double upper_reach(const Frame& frame, const problem::LoadedArea& area, bool spread) {
  double reach = 0.0;
  for (const PlanPoint& c : spread ? spread_corners(area) : rectangle_corners(area)) {
    reach = std::max(reach, (c.y - wide(area.y)) * frame.scale);
  }
  return reach;
}

void write_areas(XmlWriter& out, const Frame& frame, const problem::ProblemData& problem) {
  const UnitNames units = unit_names(problem.unit_system);
  const double font = problem.total_area_count() > 30 ? 8.5 : 12.0;
  out.open("g", {{"class", "areas"}, {"font-size", px(font)}});
  for (int i = 1; i <= problem.total_area_count(); ++i) {
    const auto& area = problem.areas[i];
    const bool spread = area.shape == problem::kSpreadArea;
    const std::string label = area_label(problem, i);
    const std::string load =
        decimal(area.loading, 3) + " " + std::string(spread ? units.force : units.pressure);
    out.open("g", {{"class", spread ? "area spread" : "area"}, {"data-area", label}});
    out.element("title", {},
                (spread ? "Spread area " : "Area ") + label + ": " +
                    (spread ? "total load " : "loading ") + load);
    if (area.shape == problem::kCircle) {
      out.empty("circle", {{"cx", px(frame.px_x(wide(area.x)))},
                           {"cy", px(frame.px_y(wide(area.y)))},
                           {"r", px(std::fabs(wide(area.x_length)) * 0.5 * frame.scale)},
                           {"fill", "#000000"},
                           {"fill-opacity", "0.04"},
                           {"stroke", "#000000"},
                           {"stroke-width", "1.4"}});
    } else {
      const auto corners = spread ? spread_corners(area) : rectangle_corners(area);
      out.empty("polygon", {{"points", polygon_points(frame, corners)},
                            {"fill", spread ? "none" : "#000000"},
                            {"fill-opacity", "0.04"},
                            {"stroke", "#000000"},
                            {"stroke-width", spread ? "1.2" : "1.4"},
                            {"stroke-dasharray", spread ? "6 4" : "none"}});
    }
    // Points often sit at an area's centre: the label keeps out of their way.
    const std::string x = px(frame.px_x(wide(area.x)));
    double y = frame.px_y(wide(area.y));
    const double half_height = area.shape == problem::kCircle
                                   ? std::fabs(wide(area.x_length)) * 0.5 * frame.scale
                                   : upper_reach(frame, area, spread);
    // A small area's label goes under its outline instead.
    if (half_height > 3.0 * font)
      y -= half_height * 0.55;
    else
      y += half_height + font + 2.0;
    out.open("text", {{"class", "label"},
                      {"x", x},
                      {"y", px(y - 1)},
                      {"text-anchor", "middle"},
                      {"stroke", "#ffffff"},
                      {"stroke-width", "2.5"},
                      {"paint-order", "stroke"}});
    out.element("tspan", {{"class", "area-id"}, {"font-weight", "bold"}}, label);
    out.element("tspan", {{"class", "loading"}, {"x", x}, {"dy", px(font + 1)}}, load);
    out.close();
    out.close();
  }
  out.close();
}

void write_points(XmlWriter& out, const Frame& frame, const problem::ProblemData& problem,
                  const analysis::AnalysisResults& results, const ColourScale& scale) {
  const UnitNames units = unit_names(problem.unit_system);
  out.open("g", {{"class", "points"}, {"font-size", "14"}});
  for (int j = 1; j <= problem.point_count; ++j) {
    const auto& point = problem.points[j];
    const float total = results.total_settlement[j];
    const std::string value = settlement_text(total);
    const double x = frame.px_x(wide(point.x));
    const double y = frame.px_y(wide(point.y));
    out.open("g", {{"class", "point"}, {"data-position", std::to_string(j)}});
    out.element("title", {},
                "Point " + std::to_string(point.point_number) + " at (" + decimal(point.x, 2) +
                    ", " + decimal(point.y, 2) + "): total settlement " + value + " " +
                    std::string(units.settlement));
    out.empty("circle", {{"cx", px(x)},
                         {"cy", px(y)},
                         {"r", "7"},
                         {"fill", band_colour(scale, band_of(scale, wide(total)))},
                         {"stroke", "#000000"},
                         {"stroke-width", "2"}});
    out.empty("circle", {{"cx", px(x)}, {"cy", px(y)}, {"r", "1.6"}, {"fill", "#000000"}});
    out.open("text", {{"class", "label"},
                      {"x", px(x + 10)},
                      {"y", px(y - 8)},
                      {"stroke", "#ffffff"},
                      {"stroke-width", "4"},
                      {"paint-order", "stroke"},
                      {"stroke-linejoin", "round"}});
    out.element("tspan", {{"class", "point-number"}, {"font-weight", "bold"}},
                "P" + std::to_string(point.point_number));
    out.element("tspan",
                {{"class", "settlement"}, {"data-position", std::to_string(j)}, {"dx", "5"}},
                value);
    out.element("tspan", {}, std::string(units.settlement));
    out.close();
    out.close();
  }
  out.close();
}

}  // namespace

PlanNotes write_plan_view(XmlWriter& out, const problem::ProblemData& problem,
                          const analysis::AnalysisResults& results, const ColourScale& scale) {
  const Frame frame = make_frame(problem);
  const double height = kTop + frame.height + kBottom;
  out.open("svg", {{"xmlns", "http://www.w3.org/2000/svg"},
                   {"class", "plan"},
                   {"width", px(kWidth)},
                   {"height", px(height)},
                   {"viewBox", "0 0 " + px(kWidth) + " " + px(height)},
                   {"font-family", "Helvetica, Arial, sans-serif"},
                   {"font-size", "12"}});
  out.element("title", {}, "Plan view of the loaded areas and settlement points");
  write_grid(out, frame, unit_names(problem.unit_system).length);
  const PlanNotes notes = write_shading(out, frame, problem, results, scale);
  write_areas(out, frame, problem);
  write_points(out, frame, problem, results, scale);
  out.close();
  return notes;
}

void write_colour_legend(XmlWriter& out, const ColourScale& scale, std::int32_t unit_system) {
  constexpr double kBarWidth = 600.0, kLeftEdge = 20.0, kBarTop = 26.0, kBarHeight = 18.0;
  const double band_width = kBarWidth / scale.band_count;
  out.open("svg", {{"xmlns", "http://www.w3.org/2000/svg"},
                   {"class", "legend"},
                   {"width", "700"},
                   {"height", "70"},
                   {"viewBox", "0 0 700 70"},
                   {"font-family", "Helvetica, Arial, sans-serif"},
                   {"font-size", "12"}});
  out.element("text", {{"x", px(kLeftEdge)}, {"y", "16"}, {"font-weight", "bold"}},
              "Total settlement (" + std::string(unit_names(unit_system).settlement) + ")" +
                  (scale.low < 0.0 ? ", negative values are heave" : ""));
  for (int band = 0; band < scale.band_count; ++band) {
    out.empty("rect", {{"x", px(kLeftEdge + band * band_width)},
                       {"y", px(kBarTop)},
                       {"width", px(band_width)},
                       {"height", px(kBarHeight)},
                       {"fill", band_colour(scale, band)},
                       {"stroke", "#000000"},
                       {"stroke-width", "0.5"}});
  }
  const int decimals = decimals_for(scale.step);
  for (int k = 0; k <= scale.band_count; ++k) {
    const double value = scale.low + scale.step * k;
    out.element("text",
                {{"x", px(kLeftEdge + k * band_width)},
                 {"y", px(kBarTop + kBarHeight + 16)},
                 {"text-anchor", "middle"}},
                decimal(static_cast<float>(value), decimals));
  }
  out.close();
}

}  // namespace plot
