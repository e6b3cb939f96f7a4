// The probability of exceeding a study's settlement limit over the grid.
#include "plot/exceedance_map.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "plot/load_drawing.h"
#include "plot/page_text.h"
#include "plot/project_page_input.h"
#include "run/interrupt.h"
#include "run/project_analysis.h"
#include "site/project_checks.h"
#include "study/project_design.h"
#include "study/sample_plan.h"

namespace plot {
namespace {

// Ten bands of 0.1, pale yellow to dark red; 0 exactly is left unshaded.
constexpr std::array<const char*, 10> kBandColours = {"#fff7bc", "#fee391", "#fec44f", "#fe9929",
                                                      "#ec7014", "#cc4c02", "#b2182b", "#99000d",
                                                      "#7a0177", "#49006a"};

int band_of_probability(float p) {
  if (!(p > 0.0f)) return -1;
  return std::min(9, static_cast<int>(std::floor(p * 10.0f)));
}

std::vector<float> sample_totals(const study::StudySetup& setup, std::int64_t index,
                                 const analysis::PlanGrid& grid, std::int32_t start_layer) {
  project::ProjectReading reading;
  reading.project = setup.base;
  const std::vector<double> values = study::values_of_sample(setup.plan, index);
  for (std::size_t k = 0; k < values.size(); ++k)
    study::number_at(reading.project, setup.places[k]) = values[k];
  reading.diagnostics = site::check_project(reading.project);
  if (!reading.ok()) return {};
  const run::ProjectAnalysis analysis = run::analyse_project(std::move(reading));
  if (analysis.stopped()) return {};
  if (analysis.classic)
    return analysis::settlement_on_grid(analysis.project, *analysis.classic, grid, start_layer);
  return analysis::settlement_on_grid(*analysis.exact, grid, start_layer);
}

}  // namespace

ExceedanceMap exceedance_map(const study::StudySetup& setup, const analysis::PlanGrid& grid,
                             std::int32_t start_layer, std::int64_t samples, double limit,
                             const std::function<void(std::int64_t, std::int64_t)>& progress) {
  ExceedanceMap map;
  map.grid = grid;
  map.samples = samples;
  map.limit = limit;
  const auto nodes = static_cast<std::size_t>(grid.node_count());
  std::vector<std::int64_t> above(nodes, 0);
  for (std::int64_t index = 0; index < samples; ++index) {
    run::stop_if_interrupted();
    const std::vector<float> totals = sample_totals(setup, index, grid, start_layer);
    for (std::size_t n = 0; n < totals.size() && n < nodes; ++n)
      above[n] += static_cast<double>(totals[n]) > limit ? 1 : 0;
    if (progress) progress(index + 1, samples);
  }
  map.probability.resize(nodes);
  for (std::size_t n = 0; n < nodes; ++n)
    map.probability[n] =
        static_cast<float>(static_cast<double>(above[n]) / static_cast<double>(samples));
  return map;
}

void write_exceedance_map(XmlWriter& out, const site::Project& project, const ExceedanceMap& map) {
  const analysis::PlanGrid& grid = map.grid;
  const double half = grid.spacing / 2.0;
  const double min_x = grid.x0 - half, max_x = grid.x0 + grid.spacing * (grid.columns - 1) + half;
  const double min_y = grid.y0 - half, max_y = grid.y0 + grid.spacing * (grid.rows - 1) + half;
  const double plot_width = 560.0, legend_width = 130.0, margin = 10.0;
  const double scale =
      std::min(plot_width / (max_x - min_x), 560.0 / std::max(max_y - min_y, 1e-9));
  const double width = (max_x - min_x) * scale, height = (max_y - min_y) * scale;
  const auto sx = [&](double x) { return margin + (x - min_x) * scale; };
  const auto sy = [&](double y) { return margin + (max_y - y) * scale; };
  const double total_width = width + 2.0 * margin + legend_width;
  const double total_height = std::max(height + 2.0 * margin, 10.0 * 18.0 + 50.0);
  out.open("svg", {{"xmlns", "http://www.w3.org/2000/svg"},
                   {"class", "exceedance-map"},
                   {"width", px(total_width)},
                   {"height", px(total_height)},
                   {"viewBox", "0 0 " + px(total_width) + " " + px(total_height)},
                   {"data-samples", std::to_string(map.samples)}});
  out.empty("rect", {{"x", px(margin)},
                     {"y", px(margin)},
                     {"width", px(width)},
                     {"height", px(height)},
                     {"fill", "#ffffff"},
                     {"stroke", "#888888"}});
  // Each row's runs of one band as one rectangle.
  out.open("g", {{"class", "cells"}, {"shape-rendering", "crispEdges"}});
  for (int j = 0; j < grid.rows; ++j) {
    int i = 0;
    while (i < grid.columns) {
      const int band =
          band_of_probability(map.probability[static_cast<std::size_t>(j) * grid.columns + i]);
      int end = i + 1;
      while (end < grid.columns &&
             band_of_probability(
                 map.probability[static_cast<std::size_t>(j) * grid.columns + end]) == band)
        ++end;
      if (band >= 0) {
        const double x = grid.x0 + grid.spacing * i - half;
        const double y = grid.y0 + grid.spacing * j + half;
        out.empty("rect", {{"x", px(sx(x))},
                           {"y", px(sy(y))},
                           {"width", px(grid.spacing * (end - i) * scale)},
                           {"height", px(grid.spacing * scale)},
                           {"fill", kBandColours[static_cast<std::size_t>(band)]}});
      }
      i = end;
    }
  }
  out.close();
  const PlanBox world{min_x, max_x, min_y, max_y};
  out.open("g", {{"class", "loads"}, {"fill", "none"}, {"stroke", "#1f3a93"}});
  for (const auto& load : project.loads) {
    const std::vector<PlanPoint> ring = clipped_to_box(drawn_ring(load, world), world);
    if (ring.size() < 2) continue;
    std::string points;
    for (const PlanPoint& p : ring) points += px(sx(p.x)) + "," + px(sy(p.y)) + " ";
    out.empty("polygon", {{"points", points}, {"stroke-width", "1.5"}});
  }
  out.close();
  out.open("g", {{"class", "points"}, {"font-size", "11"}});
  for (std::size_t j = 0; j < project.points.size(); ++j) {
    const double x = sx(static_cast<float>(project.points[j].x));
    const double y = sy(static_cast<float>(project.points[j].y));
    out.empty("circle", {{"cx", px(x)}, {"cy", px(y)}, {"r", "3"}, {"fill", "#000000"}});
    out.element("text", {{"x", px(x + 4.0)}, {"y", px(y - 4.0)}}, point_label(project, j));
  }
  out.close();
  // The legend: ten bands of 0.1.
  const double lx = width + 2.0 * margin + 10.0;
  out.open("g", {{"class", "legend"}, {"font-size", "11"}});
  out.element("text", {{"x", px(lx)}, {"y", px(margin + 10.0)}}, "P(s > limit)");
  for (int band = 9; band >= 0; --band) {
    const double y = margin + 20.0 + (9 - band) * 18.0;
    out.empty("rect", {{"x", px(lx)},
                       {"y", px(y)},
                       {"width", "16"},
                       {"height", "16"},
                       {"fill", kBandColours[static_cast<std::size_t>(band)]},
                       {"stroke", "#888888"}});
    out.element("text", {{"x", px(lx + 22.0)}, {"y", px(y + 12.0)}},
                decimal(static_cast<float>(band) / 10.0f, 1) + " \u2013 " +
                    decimal(static_cast<float>(band + 1) / 10.0f, 1));
  }
  const double y0 = margin + 20.0 + 10.0 * 18.0;
  out.empty("rect", {{"x", px(lx)},
                     {"y", px(y0)},
                     {"width", "16"},
                     {"height", "16"},
                     {"fill", "#ffffff"},
                     {"stroke", "#888888"}});
  out.element("text", {{"x", px(lx + 22.0)}, {"y", px(y0 + 12.0)}}, "0");
  out.close();
  out.close();
}

}  // namespace plot
