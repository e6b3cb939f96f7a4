// What the page refuses and warns of, in the words of the options.
#include "plot/option_checks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "plot/area_outline.h"
#include "plot/page_text.h"
#include "plot/stress_map.h"
#include "plot/structures.h"

namespace plot {
namespace {

// A length as the user would type it: six significant figures at most.
std::string shortest(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

std::string box_text(const analysis::PlanExtent& box) {
  return "x from " + shortest(box.min_x) + " to " + shortest(box.max_x) + ", y from " +
         shortest(box.min_y) + " to " + shortest(box.max_y);
}

}  // namespace

std::optional<std::string> check_problem_options(const PlotOptions& options,
                                                 const problem::ProblemData& problem,
                                                 const analysis::ClassicProfile& profile) {
  if (options.start_layer &&
      (*options.start_layer < 1 || *options.start_layer > problem.layer_count)) {
    return "--start-layer " + std::to_string(*options.start_layer) +
           ": the profile has layers 1 to " + std::to_string(problem.layer_count);
  }
  if (auto complaint = check_structures(problem, options.structures)) return complaint;
  if (options.stress_depth && !nearest_stress_depth(profile, *options.stress_depth)) {
    const int n = profile.sublayer_count();
    return "--stress-depth " + shortest(*options.stress_depth) + " lies below the profile, " +
           (n > 0 ? "whose sublayers end at " +
                        shortest(static_cast<double>(profile.sublayers[n].bottom_depth))
                  : std::string("which has no sublayers"));
  }
  return std::nullopt;
}

std::optional<std::string> check_map_options(const PlotOptions& options,
                                             const analysis::PlanExtent& box, double spacing) {
  const double shorter = std::min(box.width(), box.height());
  if (options.grid_spacing) {
    const auto across = static_cast<long long>(std::floor(shorter / spacing + 1e-9)) + 1;
    if (across < kFewestNodesAcross) {
      return "--grid-spacing " + shortest(spacing) + " gives " + std::to_string(across) +
             " nodes across the map's shorter side of " + shortest(shorter) + ", fewer than " +
             std::to_string(kFewestNodesAcross) + ": give " +
             shortest(shorter / (kFewestNodesAcross - 1)) + " or less";
    }
  }
  if (options.section) {
    const SectionLine& line = *options.section;
    const double length = std::hypot(line.x2 - line.x1, line.y2 - line.y1);
    const std::string given = shortest(line.x1) + "," + shortest(line.y1) + "," +
                              shortest(line.x2) + "," + shortest(line.y2);
    if (length < spacing) {
      return "--section " + given + " is " + shortest(length) +
             " long, shorter than the grid spacing " + shortest(spacing) + ": give a longer line";
    }
    AreaOutline frame;
    frame.corners = {{box.min_x, box.min_y},
                     {box.max_x, box.min_y},
                     {box.max_x, box.max_y},
                     {box.min_x, box.max_y}};
    if (!stretch_inside(frame, {line.x1, line.y1}, {line.x2, line.y2})) {
      return "--section " + given + " lies outside the map (" + box_text(box) + ")";
    }
  }
  return std::nullopt;
}

std::optional<std::string> check_level_count(const PlotOptions& options, std::size_t levels) {
  if (levels <= static_cast<std::size_t>(kMostLevels)) return std::nullopt;
  const std::string option =
      options.contour_interval ? "--interval " + shortest(*options.contour_interval) : "--levels";
  return option + " gives " + std::to_string(levels) + " contour levels, more than " +
         std::to_string(kMostLevels) + " a map can show: give a larger interval";
}

double narrower_side(const problem::LoadedArea& area) {
  const double x = std::fabs(static_cast<double>(area.x_length));
  if (area.shape == problem::kCircle) return x;
  return std::min(x, std::fabs(static_cast<double>(area.y_length)));
}

std::vector<MapWarning> map_warnings(const problem::ProblemData& problem, const MapInput& map) {
  std::vector<MapWarning> warnings;
  const int count = std::max(problem.total_area_count(), 0);
  int narrowest = 0;
  for (int i = 1; i <= count; ++i) {
    if (narrower_side(problem.areas[i]) <= 0.0) continue;
    if (narrowest == 0 || narrower_side(problem.areas[i]) < narrower_side(problem.areas[narrowest]))
      narrowest = i;
  }
  const double spacing = map.grid.spacing;
  if (narrowest > 0 && spacing > narrower_side(problem.areas[narrowest]) / 2.0) {
    const double width = narrower_side(problem.areas[narrowest]);
    warnings.push_back({"the grid spacing " + shortest(spacing) + " is more than half the width " +
                        shortest(width) + " of the narrowest loaded area, " +
                        area_label(problem, narrowest) +
                        ": the map shows too little of the settlement under it and at its edges; "
                        "give --grid-spacing " +
                        shortest(width / 2.0) + " or less"});
  }
  // Spread areas keep their sides along the axes: their plan rectangles.
  for (int a = problem.area_count + 1; a <= count; ++a) {
    for (int b = a + 1; b <= count; ++b) {
      const auto& p = problem.areas[a];
      const auto& q = problem.areas[b];
      const double gap_x =
          std::fabs(static_cast<double>(p.x - q.x)) - (std::fabs(static_cast<double>(p.x_length)) +
                                                       std::fabs(static_cast<double>(q.x_length))) /
                                                          2.0;
      const double gap_y =
          std::fabs(static_cast<double>(p.y - q.y)) - (std::fabs(static_cast<double>(p.y_length)) +
                                                       std::fabs(static_cast<double>(q.y_length))) /
                                                          2.0;
      if (gap_x > 1e-6 || gap_y > 1e-6) continue;
      const bool touching = gap_x > -1e-6 || gap_y > -1e-6;
      warnings.push_back({"spread areas " + area_label(problem, a) + " and " +
                          area_label(problem, b) + (touching ? " touch" : " overlap") +
                          " in plan: where they meet, the load of each counts in full, so "
                          "the stress there is counted twice; give each its own part of the plan"});
    }
  }
  if (auto unclosed = unclosed_contours(map)) warnings.push_back(std::move(*unclosed));
  return warnings;
}

std::optional<MapWarning> unclosed_contours(const MapInput& map) {
  if (map.closed || map.extent_chosen) return std::nullopt;
  return MapWarning{"the outer contours of the settlement map do not close inside it, even grown " +
                    std::to_string(map.growths) +
                    " times: give --extent X1,Y1,X2,Y2 or --levels to choose what it shows"};
}

}  // namespace plot
