// The whole page: heading, plan view with its legend, the points' table, the
// depth profiles and the areas' table, as one self-contained XHTML document.
#pragma once

#include <ostream>
#include <string>

#include "analysis/analysis_results.h"
#include "problem/problem_data.h"

namespace plot {

// Writes the page of an analysed problem read from `input_name`.
void write_page(std::ostream& out, const problem::ProblemData& problem,
                const analysis::AnalysisResults& results, const std::string& input_name);

}  // namespace plot
