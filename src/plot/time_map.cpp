// The time map: the cells of the nodes in bands of equal round width, north
// up, at one scale across and down.
#include "plot/time_map.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "plot/colour_scale.h"
#include "plot/page_text.h"
#include "plot/project_page_input.h"
#include "plot/time_curves.h"

namespace plot {
namespace {

constexpr double kMapSize = 560.0;  // the longer side of the map, pixels
constexpr double kMargin = 16.0, kLegend = 210.0;

}  // namespace

void write_time_map(XmlWriter& out, const site::Project& project, const analysis::PlanGrid& grid,
                    const std::vector<float>& times) {
  double smallest = 0.0, largest = 0.0;
  bool any = false;
  for (const float t : times) {
    if (!std::isfinite(t)) continue;
    smallest = any ? std::min(smallest, static_cast<double>(t)) : static_cast<double>(t);
    largest = any ? std::max(largest, static_cast<double>(t)) : static_cast<double>(t);
    any = true;
  }
  if (!any || grid.columns < 1 || grid.rows < 1) return;
  // Round bands from below the earliest time to past the latest: the times
  // on a map differ little beside their size, so bands from 0 would hide them.
  const double span = largest > smallest ? largest - smallest : std::max(largest, 1.0);
  ColourScale scale;
  scale.step = round_step(span, 8);
  scale.low = std::floor(smallest / scale.step) * scale.step;
  scale.band_count =
      std::max(1, static_cast<int>(std::ceil((largest - scale.low) / scale.step - 1e-9)));
  for (int k = 0; k <= scale.band_count; ++k) scale.limits.push_back(scale.low + scale.step * k);
  const double width_plan = grid.spacing * grid.columns, height_plan = grid.spacing * grid.rows;
  const double per = kMapSize / std::max(width_plan, height_plan);
  const double map_width = width_plan * per, map_height = height_plan * per;
  const double left_plan = grid.x0 - grid.spacing / 2.0,
               top_plan = grid.y0 + height_plan - grid.spacing / 2.0;
  const auto sx = [&](double x) { return kMargin + (x - left_plan) * per; };
  const auto sy = [&](double y) { return kMargin + (top_plan - y) * per; };
  const double width = kMargin * 2.0 + map_width + kLegend;
  const double height = kMargin * 2.0 + std::max(map_height, 30.0 + 20.0 * scale.band_count);

  out.open("svg", {{"xmlns", "http://www.w3.org/2000/svg"},
                   {"class", "time-map"},
                   {"viewBox", "0 0 " + px(width) + " " + px(height)},
                   {"width", px(width)},
                   {"height", px(height)},
                   {"role", "img"}});
  out.element("title", {}, "Time to 90 % of the primary settlement");
  out.open("g", {{"class", "time-cells"}, {"shape-rendering", "crispEdges"}});
  const std::string side = px(grid.spacing * per + 0.3);  // a hair over, so no seams show
  for (int j = 0; j < grid.rows; ++j) {
    for (int i = 0; i < grid.columns; ++i) {
      const float t = times[static_cast<std::size_t>(j) * static_cast<std::size_t>(grid.columns) +
                            static_cast<std::size_t>(i)];
      if (!std::isfinite(t)) continue;
      out.empty("rect", {{"class", "time-cell"},
                         {"x", px(sx(static_cast<double>(grid.x(i)) - grid.spacing / 2.0))},
                         {"y", px(sy(static_cast<double>(grid.y(j)) + grid.spacing / 2.0))},
                         {"width", side},
                         {"height", side},
                         {"fill", band_colour(scale, band_of(scale, t))}});
    }
  }
  out.close();
  out.empty("rect", {{"class", "frame"},
                     {"x", px(kMargin)},
                     {"y", px(kMargin)},
                     {"width", px(map_width)},
                     {"height", px(map_height)},
                     {"fill", "none"},
                     {"stroke", "#333"}});
  out.open("g", {{"class", "time-map-points"}, {"font-size", "11"}, {"font-family", "sans-serif"}});
  for (std::size_t j = 0; j < project.points.size(); ++j) {
    const double x = sx(project.points[j].x), y = sy(project.points[j].y);
    out.empty("circle", {{"cx", px(x)}, {"cy", px(y)}, {"r", "3"}, {"fill", "#000"}});
    out.element_inline("text", {{"x", px(x + 5.0)}, {"y", px(y - 5.0)}}, point_label(project, j));
  }
  out.close();
  // The legend: the bands top down from the latest.
  const double legend_x = kMargin * 2.0 + map_width;
  const int decimals = scale_decimals(scale);
  out.open("g", {{"class", "time-legend"}, {"font-size", "12"}, {"font-family", "sans-serif"}});
  out.element_inline("text", {{"x", px(legend_x)}, {"y", px(kMargin + 10.0)}},
                     "t90 (" + time_unit_text(project) + ")");
  for (int k = scale.band_count - 1, row = 0; k >= 0; --k, ++row) {
    const double y = kMargin + 24.0 + 20.0 * row;
    out.open("g", {{"class", "time-band"}});
    out.empty("rect", {{"x", px(legend_x)},
                       {"y", px(y)},
                       {"width", "24"},
                       {"height", "16"},
                       {"fill", band_colour(scale, k)},
                       {"stroke", "#666"}});
    out.element_inline("text", {{"x", px(legend_x + 32.0)}, {"y", px(y + 12.0)}},
                       decimal(static_cast<float>(scale.limit(k)), decimals) + " to " +
                           decimal(static_cast<float>(scale.limit(k + 1)), decimals));
    out.close();
  }
  out.close();
  out.close();
}

}  // namespace plot
