// The page's parts about the settlement map: how it was computed and the
// plan itself; the differential settlement and angular distortion between
// neighbouring points; and the section.
#pragma once

#include "analysis/analysis_results.h"
#include "plot/page_input.h"
#include "plot/settlement_map.h"
#include "plot/xml_writer.h"
#include "problem/problem_data.h"

namespace plot {

// The heading, how the map was computed (grid spacing, nodes, start layer
// and its rule), the plan and what it left off.
void write_map_section(XmlWriter& out, const problem::ProblemData& problem,
                       const analysis::AnalysisResults& results, const PageInput& input,
                       const SettlementMap& map);

// The table of neighbouring pairs of each structure and start layer, worst
// first, the pairs beyond the limit marked; and why the map's slope is not
// given.
void write_distortion_section(XmlWriter& out, const problem::ProblemData& problem,
                              const analysis::AnalysisResults& results, const SettlementMap& map);

// The map of the stress increase at a depth. REQUIRES: input.stress_map.
void write_stress_section(XmlWriter& out, const problem::ProblemData& problem,
                          const analysis::AnalysisResults& results, const PageInput& input,
                          const SettlementMap& map);

// The section along its line, when the page has one.
void write_section_view(XmlWriter& out, const problem::ProblemData& problem,
                        const PageInput& input);

}  // namespace plot
