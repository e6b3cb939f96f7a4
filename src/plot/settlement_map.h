// The settlement map as the page and the plan's SVG file draw it: the grid's
// totals with their colour scale, contours and bands, and the distortion
// figures of the points, worked out once from the page's input.
#pragma once

#include <optional>
#include <vector>

#include "analysis/analysis_results.h"
#include "plot/colour_scale.h"
#include "plot/contours.h"
#include "plot/distortion.h"
#include "plot/page_input.h"
#include "problem/problem_data.h"

namespace plot {

struct SettlementMap {
  bool has_grid = false;  // at least two nodes along each side
  // The node totals, settlement unit; a total that is not finite (a soil of
  // no weight on a logarithmic curve settles without end) is held as a value
  // a band past the scale's end, painted in the last band.
  ValueGrid grid;
  int unbounded_nodes = 0;  // nodes whose total is not finite
  ColourScale scale;        // its bands are the contour bands
  std::vector<double> levels;
  std::vector<ContourLine> contours;
  // Of each level, the region at or above it, painted in the colour of the
  // band above the level.
  std::vector<std::vector<std::vector<PlanPoint>>> regions;
  std::vector<DistortionRow> distortion;
  double distortion_limit = 1.0 / 500.0;
  SteepestSlope steepest;
  std::optional<SectionLine> section;
  analysis::PlanExtent extent;  // what the plan shows where there is no grid
};

// The map of an analysed problem. Its colour scale covers the finite values
// of the grid's totals, the points' totals and the section's samples, and 0.
SettlementMap make_settlement_map(const problem::ProblemData& problem,
                                  const analysis::AnalysisResults& results, const PageInput& input);

}  // namespace plot
