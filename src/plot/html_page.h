// The whole page: title block, warnings, the points' and the areas' tables,
// the settlement map, the stress map, the section, the distortion between
// neighbouring points, the depth profiles beside the soil column, as one
// self-contained XHTML document made to be read on screen or printed.
#pragma once

#include <ostream>
#include <string_view>

#include "analysis/analysis_results.h"
#include "plot/page_input.h"
#include "plot/settlement_map.h"
#include "problem/problem_data.h"

namespace plot {

// The page's style sheet: on screen a column of text and drawings; printed,
// the drawings each on a landscape page of their own.
std::string_view page_style();

// Writes the page of an analysed problem. `map` is make_settlement_map of the
// same problem, results and input, worked out once for the page and the plan's
// SVG file; `stress_map`, when given, make_stress_map's.
void write_page(std::ostream& out, const problem::ProblemData& problem,
                const analysis::AnalysisResults& results, const PageInput& input,
                const SettlementMap& map, const SettlementMap* stress_map = nullptr);

// Writes the plan alone as a standalone SVG file, for a report: the same
// drawing as the page's plan.
void write_plan_file(std::ostream& out, const problem::ProblemData& problem,
                     const analysis::AnalysisResults& results, const SettlementMap& map);

}  // namespace plot
