// The whole page: heading, plan view with its legend, the points' table, the
// depth profiles and the areas' table, as one self-contained XHTML document.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "analysis/analysis_results.h"
#include "analysis/settlement_grid.h"
#include "problem/problem_data.h"

namespace plot {

// A warning of the run, as the console words it, with the line of the
// problem file it is about (0 for none).
struct PageWarning {
  int line = 0;
  std::string text;
};

// The settlement map's grid, computed for the page.
struct MapInput {
  analysis::GridSpec grid;
  std::vector<float> totals;  // row by row from y0, as settlement_on_grid gives them
  std::int32_t start_layer = 1;
  bool start_layer_chosen = false;  // by --start-layer, else the default rule
};

// Writes the page of an analysed problem read from `input_name`, with the
// warnings of its run and its settlement map.
void write_page(std::ostream& out, const problem::ProblemData& problem,
                const analysis::AnalysisResults& results, const std::string& input_name,
                const std::vector<PageWarning>& warnings = {}, const MapInput& map = {});

}  // namespace plot
