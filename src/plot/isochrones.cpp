// The isochrones: pressure across from 0, depth down from the ground surface
// to the base of the sublayers, as a consolidation profile is read.
#include "plot/isochrones.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "plot/colour_scale.h"
#include "plot/page_text.h"
#include "plot/project_page_input.h"
#include "plot/time_curves.h"

namespace plot {
namespace {

constexpr double kWidth = 560.0, kHeight = 460.0;
constexpr double kLeft = 64.0, kRight = 150.0, kTop = 44.0, kBottom = 20.0;

}  // namespace

void write_isochrones(XmlWriter& out, const site::Project& project,
                      const analysis::SiteResults& results, std::size_t point) {
  if (point >= results.points.size() || !results.points[point].time) return;
  const consolidation::PointHistory& history = *results.points[point].time;
  const std::size_t count = results.sublayers.size();
  if (count == 0 || history.states.empty()) return;
  double most = 0.0;
  for (const consolidation::TimeState& state : history.states)
    for (const double u : state.excess_pore_pressure) most = std::max(most, u);
  const double deepest = results.sublayers.back().bottom;
  const UnitNames units = project_units(project);
  const double pressure_step = round_step(most > 0.0 ? most : 1.0, 5);
  const double right =
      std::max(pressure_step, std::ceil(most / pressure_step - 1e-9) * pressure_step);
  const double depth_step = round_step(deepest > 0.0 ? deepest : 1.0, 6);
  const double base = std::max(depth_step, std::ceil(deepest / depth_step - 1e-9) * depth_step);
  const double plot_width = kWidth - kLeft - kRight, plot_height = kHeight - kTop - kBottom;
  const auto sx = [&](double u) { return kLeft + u / right * plot_width; };
  const auto sy = [&](double z) { return kTop + z / base * plot_height; };
  const std::string label = point_label(project, point);

  out.open("svg", {{"xmlns", "http://www.w3.org/2000/svg"},
                   {"class", "isochrones"},
                   {"data-point", label},
                   {"viewBox", "0 0 " + px(kWidth) + " " + px(kHeight)},
                   {"width", px(kWidth)},
                   {"height", px(kHeight)},
                   {"role", "img"}});
  out.element("title", {}, "Excess pore pressure under " + label);
  out.open("g", {{"class", "axes"}, {"font-size", "11"}, {"font-family", "sans-serif"}});
  for (const double u : ticks(0.0, right, pressure_step)) {
    const std::string x = px(sx(u));
    out.empty("line", {{"x1", x},
                       {"y1", px(kTop)},
                       {"x2", x},
                       {"y2", px(kTop + plot_height)},
                       {"stroke", "#e4e4e4"}});
    out.element_inline("text", {{"x", x}, {"y", px(kTop - 6.0)}, {"text-anchor", "middle"}},
                       decimal(static_cast<float>(u), decimals_for(pressure_step)));
  }
  for (const double z : ticks(0.0, base, depth_step)) {
    const std::string y = px(sy(z));
    out.empty("line", {{"x1", px(kLeft)},
                       {"y1", y},
                       {"x2", px(kLeft + plot_width)},
                       {"y2", y},
                       {"stroke", "#e4e4e4"}});
    out.element_inline("text",
                       {{"x", px(kLeft - 6.0)}, {"y", px(sy(z) + 4.0)}, {"text-anchor", "end"}},
                       decimal(static_cast<float>(z), decimals_for(depth_step)));
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
                      {"y", px(14.0)},
                      {"text-anchor", "middle"}},
                     "Excess pore pressure (" + std::string(units.pressure) + ")");
  out.element_inline("text",
                     {{"class", "axis-title"},
                      {"x", px(16.0)},
                      {"y", px(kTop + plot_height / 2.0)},
                      {"text-anchor", "middle"},
                      {"transform", "rotate(-90 16 " + px(kTop + plot_height / 2.0) + ")"}},
                     "Depth (" + std::string(units.length) + ")");
  out.close();

  for (std::size_t k = 0; k < history.states.size(); ++k) {
    const consolidation::TimeState& state = history.states[k];
    const std::size_t n = std::min(count, state.excess_pore_pressure.size());
    std::string points;
    for (std::size_t i = 0; i < n; ++i) {
      const double centre = (results.sublayers[i].top + results.sublayers[i].bottom) / 2.0;
      if (!points.empty()) points += ' ';
      points += px(sx(state.excess_pore_pressure[i])) + "," + px(sy(centre));
    }
    const std::string colour = line_colour(k), time = time_text(state.time);
    out.empty("polyline", {{"class", "isochrone"},
                           {"data-time", time},
                           {"points", points},
                           {"fill", "none"},
                           {"stroke", colour},
                           {"stroke-width", "2"}});
    const double y = kTop + 8.0 + 18.0 * static_cast<double>(k);
    const double x = kLeft + plot_width + 14.0;
    out.open("g", {{"class", "isochrone-legend-entry"}, {"data-time", time}});
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
                       "t = " + time + " " + time_unit_text(project));
    out.close();
  }
  out.close();
}

}  // namespace plot
