// The settlement map as the page and the plan's SVG file draw it: the grid's
// totals with their colour scale, contours and bands, and the distortion
// figures of the points, worked out once from the page's input. The map of
// the stress increase at a depth is drawn from the same record.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "analysis/analysis_results.h"
#include "plot/colour_scale.h"
#include "plot/contours.h"
#include "plot/distortion.h"
#include "plot/page_input.h"
#include "plot/page_point.h"
#include "problem/problem_data.h"

namespace plot {

struct SettlementMap {
  bool has_grid = false;  // at least two nodes along each side
  // What the values are: total settlement (settlement unit), or the vertical
  // stress increase at `stress_depth` (pressure unit).
  bool stress = false;
  double stress_depth = 0.0;
  // The node values; a total that is not finite (a soil of no weight on a
  // logarithmic curve settles without end) is held as a value a band past
  // the scale's end, painted in the last band.
  ValueGrid grid;
  int unbounded_nodes = 0;     // nodes whose value is not finite
  ColourScale scale;           // its bands are the contour bands
  bool levels_chosen = false;  // by --interval or --levels
  std::vector<double> levels;
  std::vector<ContourLine> contours;
  // Of each level, the region at or above it, painted in the colour of the
  // band above the level.
  std::vector<std::vector<std::vector<PlanPoint>>> regions;
  std::vector<PagePoint> points;  // each with its structure
  std::vector<DistortionRow> distortion;
  double distortion_limit = 1.0 / 500.0;
  std::string distortion_limit_text = "1/500";
  std::int32_t start_layer = 1;  // of the map's nodes
  bool start_layer_chosen = false;
  bool area_labels = true;
  TitleBlock title;
  std::optional<SectionLine> section;
  analysis::PlanExtent extent;  // what the plan shows where there is no grid
};

// The levels a map of values from `smallest` to `largest` gets: --levels,
// --interval, else about 10 at a round step.
ColourScale map_scale(const MapInput& input, double smallest, double largest);

// The map of an analysed problem. Its colour scale covers the finite values
// of the grid's totals, the points' totals and the section's samples, and 0.
SettlementMap make_settlement_map(const problem::ProblemData& problem,
                                  const analysis::AnalysisResults& results, const PageInput& input);

// The map of the grid `nodes` with `values` (settlement unit), its scale
// covering them, `also` and 0, its contours and regions: what a site
// project's page draws. No points or distortion are filled in.
SettlementMap contoured_map(const analysis::PlanGrid& nodes, std::vector<double> values,
                            std::span<const double> also, const MapInput& input);

// The map of the stress increase of `input.stress_map`, its points without
// distortion. REQUIRES: input.stress_map.
SettlementMap make_stress_map(const problem::ProblemData& problem,
                              const analysis::AnalysisResults& results, const PageInput& input);

}  // namespace plot
