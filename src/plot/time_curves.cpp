// The chart of settlement against log time: the decades of the output times
// across, the settlement downward from 0 at the top, as a settlement plot in
// time is read.
#include "plot/time_curves.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

#include "plot/colour_scale.h"
#include "plot/page_text.h"
#include "plot/project_page_input.h"

namespace plot {
namespace {

constexpr double kWidth = 760.0, kHeight = 420.0;
constexpr double kLeft = 72.0, kRight = 190.0, kTop = 20.0, kBottom = 52.0;

}  // namespace

std::string time_unit_text(const site::Project& project) {
  return std::string(site::name_of(site::kTimeUnitNames, project.time_unit)) + "s";
}

std::string time_text(double time) {
  char text[32];
  std::snprintf(text, sizeof text, "%.4g", time);
  return text;
}

std::string line_colour(std::size_t k) {
  static constexpr std::array<const char*, 8> kColours = {
      "#1f77b4", "#d62728", "#2ca02c", "#9467bd", "#ff7f0e", "#17becf", "#8c564b", "#e377c2"};
  return kColours[k % kColours.size()];
}

void write_time_curves(XmlWriter& out, const site::Project& project,
                       const analysis::SiteResults& results) {
  double first = 0.0, last = 0.0, most = 0.0;
  bool any = false;
  for (const analysis::ResultPoint& point : results.points) {
    if (!point.time) continue;
    for (const consolidation::TimeState& state : point.time->states) {
      if (!(state.time > 0.0)) continue;
      first = any ? std::min(first, state.time) : state.time;
      last = any ? std::max(last, state.time) : state.time;
      most = std::max(most, state.total);
      any = true;
    }
  }
  if (!any) return;
  const UnitNames units = project_units(project);
  // Whole decades across; a round step down.
  const double low = std::floor(std::log10(first));
  const double high = std::max(std::ceil(std::log10(last)), low + 1.0);
  const double step = round_step(most > 0.0 ? most : 1.0, 6);
  const double bottom = std::max(step, std::ceil(most / step - 1e-9) * step);
  const double plot_width = kWidth - kLeft - kRight, plot_height = kHeight - kTop - kBottom;
  const auto sx = [&](double t) {
    return kLeft + (std::log10(t) - low) / (high - low) * plot_width;
  };
  const auto sy = [&](double s) { return kTop + s / bottom * plot_height; };

  out.open("svg", {{"xmlns", "http://www.w3.org/2000/svg"},
                   {"class", "time-curves"},
                   {"viewBox", "0 0 " + px(kWidth) + " " + px(kHeight)},
                   {"width", px(kWidth)},
                   {"height", px(kHeight)},
                   {"role", "img"}});
  out.element("title", {}, "Total settlement against time");
  // Gridlines and ticks: each decade and its 2 and 5 across, the steps down.
  out.open("g", {{"class", "axes"}, {"font-size", "11"}, {"font-family", "sans-serif"}});
  for (double d = low; d <= high + 1e-9; d += 1.0) {
    for (const double m : {1.0, 2.0, 5.0}) {
      const double t = m * std::pow(10.0, d);
      if (std::log10(t) > high + 1e-9) break;
      const std::string x = px(sx(t));
      out.empty("line", {{"x1", x},
                         {"y1", px(kTop)},
                         {"x2", x},
                         {"y2", px(kTop + plot_height)},
                         {"stroke", m == 1.0 ? "#bbb" : "#e4e4e4"}});
      if (m == 1.0)
        out.element_inline(
            "text", {{"x", x}, {"y", px(kTop + plot_height + 16.0)}, {"text-anchor", "middle"}},
            time_text(t));
    }
  }
  for (const double s : ticks(0.0, bottom, step)) {
    const std::string y = px(sy(s));
    out.empty("line", {{"x1", px(kLeft)},
                       {"y1", y},
                       {"x2", px(kLeft + plot_width)},
                       {"y2", y},
                       {"stroke", "#e4e4e4"}});
    out.element_inline("text",
                       {{"x", px(kLeft - 6.0)}, {"y", px(sy(s) + 4.0)}, {"text-anchor", "end"}},
                       decimal(static_cast<float>(s), decimals_for(step)));
  }
  out.empty("rect", {{"x", px(kLeft)},
                     {"y", px(kTop)},
                     {"width", px(plot_width)},
                     {"height", px(plot_height)},
                     {"fill", "none"},
                     {"stroke", "#333"}});
  out.element_inline("text",
                     {{"class", "axis-title"},
                      {"x", px(kLeft + plot_width / 2.0)},
                      {"y", px(kHeight - 10.0)},
                      {"text-anchor", "middle"}},
                     "Time (" + time_unit_text(project) + ", log scale)");
  out.element_inline("text",
                     {{"class", "axis-title"},
                      {"x", px(16.0)},
                      {"y", px(kTop + plot_height / 2.0)},
                      {"text-anchor", "middle"},
                      {"transform", "rotate(-90 16 " + px(kTop + plot_height / 2.0) + ")"}},
                     "Total settlement (" + std::string(units.settlement) + ")");
  out.close();

  std::size_t drawn = 0;
  for (std::size_t j = 0; j < results.points.size(); ++j) {
    const analysis::ResultPoint& point = results.points[j];
    if (!point.time) continue;
    std::string points;
    for (const consolidation::TimeState& state : point.time->states) {
      if (!(state.time > 0.0)) continue;
      if (!points.empty()) points += ' ';
      points += px(sx(state.time)) + "," + px(sy(state.total));
    }
    if (points.empty()) continue;
    const std::string label = point_label(project, j), colour = line_colour(drawn);
    out.empty("polyline", {{"class", "time-curve"},
                           {"data-point", label},
                           {"points", points},
                           {"fill", "none"},
                           {"stroke", colour},
                           {"stroke-width", "2"}});
    const double y = kTop + 8.0 + 18.0 * static_cast<double>(drawn);
    const double x = kLeft + plot_width + 14.0;
    out.open("g", {{"class", "time-legend-entry"}, {"data-point", label}});
    out.empty("line", {{"x1", px(x)},
                       {"y1", px(y)},
                       {"x2", px(x + 22.0)},
                       {"y2", px(y)},
                       {"stroke", colour},
                       {"stroke-width", "2"}});
    out.element_inline("text",
                       {{"x", px(x + 28.0)},
                        {"y", px(y + 4.0)},
                        {"font-size", "12"},
                        {"font-family", "sans-serif"}},
                       label);
    out.close();
    ++drawn;
  }
  out.close();
}

}  // namespace plot
